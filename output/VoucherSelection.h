#pragma once

#include "output/TableDocument.h"
#include "vouchers/VoucherTypes.h"

#include <QString>
#include <vector>

namespace kessory {

// Which vouchers print or export together: a category (empty for both), a number range and a month (0 for every
// month), and whether voided ones come along (then stamped 作废).
struct VoucherRange {
    QString category;
    int fromNumber = 1;
    int toNumber = 32767;
    int month = 0;
    bool includeVoided = true;
};

// One voucher as it prints: its header and its lines as the voucher window loads them.
struct PrintedVoucher {
    typVoucher header;
    std::vector<typVoucherLine> lines;
    qint64 debitCents = 0;
    qint64 creditCents = 0;
};

// The vouchers of the range in order of category, number; a voucher's month is that of its 记账日期 (its 月份 where
// the date cannot be read).
std::vector<PrintedVoucher> loadVouchers(const VoucherRange& range);

// The vouchers as one table, a row per line (category and number, date, summary, account, debit, credit), for a
// spreadsheet.
TableDocument voucherListDocument(const std::vector<PrintedVoucher>& vouchers);

// "2026年01月05日" of a date text of the program; the text itself when it is no date.
QString chineseDate(const QString& dateText);

} // namespace kessory
