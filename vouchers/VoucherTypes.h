#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

namespace kessory {

// The header of the voucher held in memory; the fields mirror the columns of 记账凭证.
struct typVoucher {
    qint32 编号 = 0;
    qint16 凭证号码 = 0;
    qint16 月份 = 0;
    qint16 附单据数 = 0;
    QString 类别;
    QString 制单人;
    QString 审核人;
    QString 记账人;
    bool 已作废 = false;
    QString 记账日期;
};

// One debit or credit line; 科目名称 comes from the chart of accounts, the rest mirrors 记账凭证内容.
struct typVoucherLine {
    qint32 编号 = 0;
    qint16 记录号 = 0;
    QString 科目代码;
    QString 科目名称;
    bool 方向 = false;
    double 金额 = 0.0;
    QString 摘要;
    QString 备注;
    QString 日期;
};

// arrLines has slots 0 to 128; a clear resets slots 0 to 127 and a voucher is counted over those 128.
constexpr int kLineSlots = 129;
constexpr int kCountedSlots = 128;
using VoucherLines = std::array<typVoucherLine, kLineSlots>;

// No summary, account or amount: the end of a voucher's lines.
bool isEmptyLine(const typVoucherLine& line);
// Summary, account name, account code and a non-zero amount: a line that may be saved.
bool isCompleteLine(const typVoucherLine& line);

// The state stamps drawn over a voucher, by their picture index.
enum class Stamp { Voided = 0, Unbalanced = 1, Audited = 2, Extra3 = 3, Extra4 = 4 };
constexpr int kStampCount = 5;

struct StampSet {
    std::array<bool, kStampCount> shown {};

    bool isShown(Stamp s) const { return shown[static_cast<std::size_t>(s)]; }
    void set(Stamp s, bool on) { shown[static_cast<std::size_t>(s)] = on; }
    // Any stamp at all (what refuses an audit).
    bool any() const;
    // Voided, audited or one of the two further stamps: what locks the rows and refuses void and delete.
    bool locksVoucher() const;
};

} // namespace kessory
