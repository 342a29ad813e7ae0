#include "vouchers/VoucherStore.h"

#include "data/BookAccess.h"
#include "data/ChangeLog.h"
#include "data/Connection.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "shell/Msg.h"
#include "shell/Operators.h"
#include "vouchers/PeriodClose.h"
#include "vouchers/VoucherSql.h"

#include <QDateTime>
#include <limits>
#include <optional>

namespace kessory {
namespace {

const QString kTitle = QStringLiteral("提示");

bool exists(const QString& sql, RecordsetPtr& rs)
{
    const bool found = basDBOperate::funOpenRecordset(sql, rs);
    rs->close();
    return found;
}

// The count of a "Select Count(*) As 行数" query; -1 when it failed.
qint64 count(const QString& sql, RecordsetPtr& rs)
{
    if (!basDBOperate::funOpenRecordset(sql, rs)) {
        rs->close();
        return -1;
    }
    const qint64 n = rs->integer(QStringLiteral("行数"));
    rs->close();
    return n;
}

// A read-only book says so rather than that the write failed.
QString refusalOr(const QString& failed)
{
    const QString why = BookAccess::writeRefusal(basDBOperate::cnnDB.get());
    return why.isEmpty() ? failed : why;
}

} // namespace

VoucherStore::VoucherStore()
    : m_rs(basDBOperate::funNewRecordset())
{
}

void VoucherStore::setIncompleteLineHandler(std::function<void(int)> handler)
{
    m_onIncompleteLine = std::move(handler);
}

void VoucherStore::setSavedHandler(std::function<void()> handler)
{
    m_onSaved = std::move(handler);
}

void VoucherStore::funClearBuffer()
{
    header = typVoucher {};
    header.记账日期 = QStringLiteral("1900-01-01");
    intLineCount = 0;
    for (int i = 0; i < kCountedSlots; ++i)
        arrLines[static_cast<std::size_t>(i)] = typVoucherLine {};
}

qint32 VoucherStore::funNextVoucherNo(const QString& category)
{
    if (!basDBOperate::funOpenRecordset(VoucherSql::nextNumber(category), basDBOperate::rsShared2))
        return 1;
    const QVariant max = basDBOperate::rsShared2->field(QStringLiteral("最大编号"));
    basDBOperate::rsShared2->close();
    if (max.isNull())
        return 1;
    bool ok = false;
    const qint64 value = max.toLongLong(&ok);
    if (!ok || value < 0 || value >= std::numeric_limits<qint32>::max())
        return 1;
    return static_cast<qint32>(value + 1);
}

qint16 VoucherStore::funCountLines()
{
    qint16 n = 0;
    while (n < kCountedSlots && !isEmptyLine(arrLines[static_cast<std::size_t>(n)])) {
        arrLines[static_cast<std::size_t>(n)].记录号 = static_cast<qint16>(n + 1);
        ++n;
    }
    return n;
}

qint16 VoucherStore::funCheckLines() const
{
    for (int i = 0; i < kCountedSlots; ++i) {
        const typVoucherLine& line = arrLines[static_cast<std::size_t>(i)];
        if (isEmptyLine(line))
            return -1;
        if (!isCompleteLine(line))
            return static_cast<qint16>(i);
    }
    return 0;
}

int VoucherStore::monthOf(const QString& dateText)
{
    const QString t = dateText.trimmed();
    for (const QString& format :
         { QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy-MM-dd"), QStringLiteral("yyyy-M-d H:m:s"),
           QStringLiteral("yyyy-M-d"), QStringLiteral("yyyy/M/d H:m:s"), QStringLiteral("yyyy/M/d") }) {
        const QDateTime when = QDateTime::fromString(t, format);
        if (when.isValid())
            return when.date().month();
        const QDate day = QDate::fromString(t, format);
        if (day.isValid())
            return day.month();
    }
    return 0;
}

bool VoucherStore::failSave(const QString& message)
{
    if (!message.isEmpty())
        Msg::show(message, kTitle);
    return false;
}

bool VoucherStore::funSaveVoucher(bool silent)
{
    intLineCount = funCountLines();
    const qint16 incomplete = funCheckLines();
    if (incomplete != -1) {
        if (m_onIncompleteLine)
            m_onIncompleteLine(incomplete);
        return false;
    }
    if (header.记账日期.isEmpty())
        header.记账日期 = Clock::generalDate();
    if (header.月份 == 0) {
        const int month = monthOf(header.记账日期);
        if (month == 0)
            return false;
        header.月份 = static_cast<qint16>(month);
    }
    // The operator at work makes a new voucher and keeps the books with each save of it; without operators 记账人
    // is "USER". An audit or a void re-saves the voucher without changing who made or kept it.
    if (header.编号 == 0 && header.制单人.isEmpty())
        header.制单人 = Operators::makerName();
    if (header.记账人.isEmpty() || (Operators::current() && m_logAction == QLatin1String("保存")))
        header.记账人 = Operators::keeperName();

    const QString saveFailed = QStringLiteral("保存凭证失败。");
    std::optional<Transaction> tx;
    tx.emplace(basDBOperate::cnnDB.get());
    if (!tx->active())
        return failSave(refusalOr(saveFailed));
    // A closed month (or a read-only book) refuses the voucher, checked where no other copy can close it meanwhile.
    const QString refused = PeriodClose::voucherRefusal(basDBOperate::cnnDB.get(), header.编号, header.记账日期);
    if (!refused.isEmpty()) {
        tx.reset();
        return failSave(refused);
    }

    // Another copy of the program on the same file may have saved a voucher under the number this new one was given
    // at 新增: the new voucher takes the next free number rather than overwriting that one.
    if (header.编号 == 0 && exists(VoucherSql::header(header.凭证号码, header.类别), m_rs))
        header.凭证号码 = static_cast<qint16>(funNextVoucherNo(header.类别));
    const QString headerQuery = VoucherSql::header(header.凭证号码, header.类别);
    const QString headerStatement
        = exists(headerQuery, m_rs) ? VoucherSql::headerUpdate(header) : VoucherSql::headerInsert(header);
    if (basDBOperate::funExecuteSQL(headerStatement, m_rs) == 0) {
        tx.reset(); // rolled back before the message: the file is as it was
        return failSave(saveFailed);
    }
    if (!basDBOperate::funOpenRecordset(headerQuery, m_rs)) {
        m_rs->close();
        tx.reset();
        return false;
    }
    const auto id = static_cast<qint32>(m_rs->integer(QStringLiteral("编号")));
    m_rs->close();

    const QString now = Clock::generalDate();
    for (int i = 0; i < intLineCount; ++i) {
        const int n = i + 1;
        const typVoucherLine& line = arrLines[static_cast<std::size_t>(i)];
        const QString statement = exists(VoucherSql::line(id, n), m_rs) ? VoucherSql::lineUpdate(line, id, n, now)
                                                                        : VoucherSql::lineInsert(line, id, n, now);
        if (basDBOperate::funExecuteSQL(statement, m_rs) == 0) {
            tx.reset();
            return failSave(QStringLiteral("在保存到第 ") + QString::number(n)
                            + QStringLiteral(" 条凭证明细时发生错误。"));
        }
    }
    // A voucher that lost lines must not show its old tail again at the next display.
    const qint64 stale = count(VoucherSql::staleLineCount(id, intLineCount), m_rs);
    if (stale < 0
        || (stale > 0 && basDBOperate::funExecuteSQL(VoucherSql::deleteStaleLines(id, intLineCount), m_rs) != stale)) {
        tx.reset();
        return failSave(saveFailed);
    }
    if (!ChangeLog::appendVoucher(*basDBOperate::cnnDB, m_logAction, id) || !tx->commit()) {
        tx.reset();
        return failSave(saveFailed);
    }
    header.编号 = id;
    for (int i = 0; i < intLineCount; ++i)
        arrLines[static_cast<std::size_t>(i)].编号 = id;

    if (!silent)
        Msg::show(QStringLiteral("凭证记录保存成功。"), kTitle);
    if (m_onSaved)
        m_onSaved();
    return true;
}

bool VoucherStore::funVoidVoucher(const StampSet& stamps)
{
    if (stamps.locksVoucher()) {
        Msg::show(QStringLiteral("该凭证无法作废。"), kTitle);
        return false;
    }
    if (!Msg::ask(QStringLiteral("是否作废当前凭证？"), kTitle))
        return false;
    header.已作废 = true;
    m_logAction = QStringLiteral("作废");
    const bool saved = funSaveVoucher(true);
    m_logAction = QStringLiteral("保存");
    if (!saved)
        return false;
    Msg::show(QStringLiteral("当前凭证已作废。"), kTitle);
    return true;
}

bool VoucherStore::funAuditVoucher(const StampSet& stamps)
{
    if (stamps.any()) {
        Msg::show(QStringLiteral("无法完成审核或已审核。"), kTitle);
        return false;
    }
    if (const QString why = Operators::auditRefusal(header.制单人); !why.isEmpty()) {
        Msg::show(why, kTitle);
        return false;
    }
    if (!Msg::ask(QStringLiteral("是否审核当前凭证？"), kTitle))
        return false;
    header.审核人 = Operators::auditorName();
    m_logAction = QStringLiteral("审核");
    const bool saved = funSaveVoucher(true);
    m_logAction = QStringLiteral("保存");
    if (!saved) {
        header.审核人.clear();
        return false;
    }
    Msg::show(QStringLiteral("凭证审核完成。"), kTitle);
    return true;
}

bool VoucherStore::funDeleteVoucher(bool silent, const StampSet& stamps)
{
    if (stamps.locksVoucher()) {
        Msg::show(QStringLiteral("该凭证无法完成删除操作。"), kTitle);
        return false;
    }
    if (!Msg::ask(QStringLiteral("是否删除当前凭证？"), kTitle))
        return false;

    const QString deleteFailed = QStringLiteral("凭证删除失败。");
    std::optional<Transaction> tx;
    tx.emplace(basDBOperate::cnnDB.get());
    if (!tx->active())
        return failSave(refusalOr(deleteFailed));
    const QString refused = PeriodClose::voucherRefusal(basDBOperate::cnnDB.get(), header.编号, QString());
    if (!refused.isEmpty()) {
        tx.reset();
        return failSave(refused);
    }
    // A voucher saved without lines has none to delete; only a failing line delete is an error.
    if (count(VoucherSql::lineCount(header.编号), m_rs) != 0
        && basDBOperate::funExecuteSQL(VoucherSql::deleteLines(header.编号), m_rs) == 0) {
        tx.reset();
        return failSave(QStringLiteral("凭证内容删除失败。"));
    }
    if (basDBOperate::funExecuteSQL(VoucherSql::deleteHeader(header.凭证号码, header.类别), m_rs) == 0) {
        tx.reset();
        return failSave(deleteFailed);
    }
    if (!ChangeLog::appendVoucherGone(*basDBOperate::cnnDB, QStringLiteral("删除"), header.编号,
                                      ChangeLog::voucherName(header.类别, header.凭证号码))
        || !tx->commit()) {
        tx.reset();
        return failSave(deleteFailed);
    }
    if (!silent)
        Msg::show(QStringLiteral("凭证删除成功。"), kTitle);
    return true;
}

void VoucherStore::funLoadVoucher(Recordset& headerRow, Recordset* lineRows)
{
    funClearBuffer();
    header.附单据数 = static_cast<qint16>(headerRow.integer(QStringLiteral("附单据数")));
    header.编号 = static_cast<qint32>(headerRow.integer(QStringLiteral("编号")));
    header.记账人 = headerRow.text(QStringLiteral("记账人"));
    header.制单人 = headerRow.text(QStringLiteral("制单人"));
    header.审核人 = headerRow.text(QStringLiteral("审核人"));
    header.凭证号码 = static_cast<qint16>(headerRow.integer(QStringLiteral("凭证号码")));
    header.类别 = headerRow.text(QStringLiteral("类别"));
    header.月份 = static_cast<qint16>(headerRow.integer(QStringLiteral("月份")));
    header.已作废 = headerRow.boolean(QStringLiteral("已作废"));
    header.记账日期 = headerRow.text(QStringLiteral("记账日期"));
    if (!lineRows || !lineRows->isOpen())
        return;
    while (!lineRows->eof() && intLineCount < kLineSlots) {
        typVoucherLine& line = arrLines[static_cast<std::size_t>(intLineCount)];
        line.编号 = static_cast<qint32>(lineRows->integer(QStringLiteral("编号")));
        line.备注 = lineRows->text(QStringLiteral("备注"));
        line.方向 = lineRows->boolean(QStringLiteral("方向"));
        line.金额 = lineRows->number(QStringLiteral("金额"));
        line.摘要 = lineRows->text(QStringLiteral("摘要"));
        line.科目代码 = lineRows->text(QStringLiteral("科目代码"));
        line.科目名称 = lineRows->text(QStringLiteral("科目名称"));
        line.记录号 = static_cast<qint16>(lineRows->integer(QStringLiteral("记录号")));
        line.日期 = lineRows->text(QStringLiteral("日期"));
        ++intLineCount;
        lineRows->moveNext();
    }
}

} // namespace kessory
