#include "vouchers/VoucherStore.h"

#include "data/BookAccess.h"
#include "data/ChangeLog.h"
#include "data/Connection.h"
#include "data/DataLog.h"
#include "data/DateText.h"
#include "data/TextRules.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "shell/Operators.h"
#include "vouchers/PeriodClose.h"
#include "vouchers/VoucherSql.h"

#include <QCryptographicHash>
#include <limits>

namespace kessory {
namespace {

const char* const kHeaderColumns[]
    = { "编号", "凭证号码", "类别", "附单据数", "月份", "记账日期", "记账人", "审核人", "制单人", "已作废" };
const char* const kLineColumns[] = { "编号", "记录号", "方向", "金额", "摘要", "科目代码", "备注", "日期" };

// A stored value as text that tells its type too, so that 1, 1.0 and '1' differ.
QString canonical(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QStringLiteral("N");
    switch (v.typeId()) {
    case QMetaType::LongLong:
        return QLatin1Char('I') + QString::number(v.toLongLong());
    case QMetaType::Double:
        return QLatin1Char('D') + QString::number(v.toDouble(), 'g', 17);
    case QMetaType::QByteArray:
        return QLatin1Char('B') + QString::fromLatin1(v.toByteArray().toHex());
    default:
        return QLatin1Char('T') + v.toString();
    }
}

QString rowText(Recordset& rs, const auto& columns)
{
    QStringList values;
    for (const char* column : columns)
        values << canonical(rs.field(QString::fromUtf8(column)));
    return values.join(QChar(0x1f));
}

// The header and the lines (in any order) as one digest.
QByteArray digestOf(const QString& header, QStringList lines)
{
    lines.sort();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(header.toUtf8());
    for (const QString& line : lines) {
        hash.addData(QByteArrayView("\x1e"));
        hash.addData(line.toUtf8());
    }
    return hash.result();
}

bool exists(const SqlCommand& query, RecordsetPtr& rs)
{
    const bool found = basDBOperate::funOpenRecordset(query, rs);
    rs->close();
    return found;
}

// The first text of a voucher that is too long, named for the message; empty when all fit.
QString tooLongText(const typVoucher& h, const VoucherLines& lines, int lineCount)
{
    constexpr int limit = VoucherStore::kMaxTextLength;
    const auto tooLong = [](const QString& t) { return t.size() > limit; };
    const QString suffix = QStringLiteral("超过 %1 个字符，凭证未保存。").arg(limit);
    if (tooLong(h.记账人) || tooLong(h.审核人) || tooLong(h.制单人))
        return QStringLiteral("记账、审核或制单人的名字") + suffix;
    for (int i = 0; i < lineCount; ++i) {
        const typVoucherLine& line = lines[static_cast<std::size_t>(i)];
        const QString which = QStringLiteral("第 %1 条凭证明细的").arg(i + 1);
        if (tooLong(line.摘要))
            return which + QStringLiteral("摘要") + suffix;
        if (tooLong(line.备注))
            return which + QStringLiteral("备注") + suffix;
        if (tooLong(line.科目代码))
            return which + QStringLiteral("科目编号") + suffix;
    }
    return {};
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
    return monthOfDateText(dateText);
}

QString VoucherStore::changedElsewhereMessage()
{
    return QStringLiteral("该凭证已被修改或删除，请刷新后再操作。");
}

VoucherWrite VoucherStore::failSave(const QString& message)
{
    logRefusedWrite(QStringLiteral("voucher %1 (%2%3)").arg(header.编号).arg(header.类别).arg(header.凭证号码),
                    message);
    return { false, message, -1 };
}

QString VoucherStore::prepareHeader()
{
    if (header.编号 == 0) {
        // A new voucher takes one of the two categories; any other text falls back to 记.
        if (header.类别 != QStringLiteral("记") && header.类别 != QStringLiteral("转"))
            header.类别 = QStringLiteral("记");
    } else if (m_loadedLines > kLineSlots) {
        return QStringLiteral("该凭证的明细多于本程序能显示的 %1 条，为免丢失明细，凭证未保存。").arg(kLineSlots);
    }
    if (header.记账日期.trimmed().isEmpty())
        header.记账日期 = Clock::generalDate();
    const int month = monthOf(header.记账日期);
    if (month == 0) {
        return QStringLiteral("制单日期“%1”无法识别，凭证未保存。请写成如“2026-01-05”或“2026-01-05 09:30:00”的形式。")
            .arg(header.记账日期);
    }
    // The month is always the month of the voucher date, whatever was stored before.
    header.月份 = static_cast<qint16>(month);
    // The operator at work makes a new voucher and keeps the books with each save of it; without operators 记账人
    // is "USER". An audit or a void re-saves the voucher without changing who made or kept it.
    if (header.编号 == 0 && header.制单人.isEmpty())
        header.制单人 = Operators::makerName();
    if (header.记账人.isEmpty() || (Operators::current() && m_logAction == QLatin1String("保存")))
        header.记账人 = Operators::keeperName();
    header.记账人 = withoutNul(header.记账人);
    header.审核人 = withoutNul(header.审核人);
    header.制单人 = withoutNul(header.制单人);
    for (int i = 0; i < intLineCount; ++i) {
        typVoucherLine& line = arrLines[static_cast<std::size_t>(i)];
        line.摘要 = withoutNul(line.摘要);
        line.备注 = withoutNul(line.备注);
        line.科目代码 = withoutNul(line.科目代码);
    }
    return tooLongText(header, arrLines, intLineCount);
}

QByteArray VoucherStore::storedDigest(qint32 id, RecordsetPtr& rs)
{
    if (!basDBOperate::funOpenRecordset(VoucherSql::headerById(id), rs)) {
        rs->close();
        return {};
    }
    const QString head = rowText(*rs, kHeaderColumns);
    rs->close();
    QStringList lines;
    if (basDBOperate::funOpenRecordset(VoucherSql::storedLines(id), rs)) {
        for (; !rs->eof(); rs->moveNext())
            lines << rowText(*rs, kLineColumns);
    }
    const bool failed = rs->failed();
    rs->close();
    return failed ? QByteArray() : digestOf(head, lines);
}

bool VoucherStore::stillAsLoaded()
{
    if (header.编号 != m_loadedId || m_loadedDigest.isEmpty())
        return false;
    return storedDigest(header.编号, m_rs) == m_loadedDigest;
}

QString VoucherStore::writeVoucher(qint32& id)
{
    const QString saveFailed = QStringLiteral("保存凭证失败。");
    id = header.编号;
    if (id == 0) {
        // Another copy of the program on the same file may have saved a voucher under the number this new one was
        // given at 新增: the new voucher takes the next free number rather than overwriting that one.
        if (exists(VoucherSql::numberTaken(header.凭证号码, header.类别), m_rs)) {
            const qint32 next = funNextVoucherNo(header.类别);
            if (next > std::numeric_limits<qint16>::max())
                return header.类别 + QStringLiteral("字凭证号码已达上限 32767，无法新增凭证。");
            header.凭证号码 = static_cast<qint16>(next);
        }
        if (basDBOperate::funExecute(VoucherSql::headerInsert(header)) != 1)
            return saveFailed;
        id = static_cast<qint32>(basDBOperate::cnnDB->lastInsertId());
    } else {
        if (!stillAsLoaded())
            return changedElsewhereMessage();
        if (basDBOperate::funExecute(VoucherSql::headerUpdate(header)) != 1)
            return saveFailed;
    }

    const QString now = Clock::generalDate();
    for (int i = 0; i < intLineCount; ++i) {
        const int n = i + 1;
        const typVoucherLine& line = arrLines[static_cast<std::size_t>(i)];
        // Another copy may have deleted the account since the window listed it; a line read from the file on an
        // account that was already missing is kept as it was.
        if (!m_loadedCodes.contains(line.科目代码) && !exists(VoucherSql::accountExists(line.科目代码), m_rs))
            return QStringLiteral("第 %1 条凭证明细的科目“%2”已不存在，凭证未保存。").arg(n).arg(line.科目代码);
        const SqlCommand statement = exists(VoucherSql::lineExists(id, n), m_rs)
            ? VoucherSql::lineUpdate(line, id, n, now)
            : VoucherSql::lineInsert(line, id, n, now);
        if (basDBOperate::funExecute(statement) != 1)
            return QStringLiteral("在保存到第 ") + QString::number(n) + QStringLiteral(" 条凭证明细时发生错误。");
    }
    // A voucher that lost lines must not show its old tail again at the next display.
    if (basDBOperate::funExecute(VoucherSql::deleteStaleLines(id, intLineCount)) < 0)
        return saveFailed;
    return {};
}

VoucherWrite VoucherStore::saveVoucher()
{
    intLineCount = funCountLines();
    const qint16 incomplete = funCheckLines();
    if (incomplete != -1)
        return { false, QString(), incomplete };
    if (const QString refusal = prepareHeader(); !refusal.isEmpty())
        return failSave(refusal);

    // One transaction, one way out on failure: rolled back before anything is said, so the file is as it was.
    Transaction tx(basDBOperate::cnnDB.get());
    qint32 id = 0;
    // A closed month (or a read-only book) refuses the voucher, checked where no other copy can close it meanwhile.
    QString failure = tx.active() ? PeriodClose::voucherRefusal(basDBOperate::cnnDB.get(), header.编号, header.记账日期)
                                  : refusalOr(QStringLiteral("保存凭证失败。"));
    if (failure.isEmpty())
        failure = writeVoucher(id);
    QByteArray digest;
    if (failure.isEmpty()) {
        digest = storedDigest(id, m_rs);
        if (digest.isEmpty() || !ChangeLog::appendVoucher(*basDBOperate::cnnDB, m_logAction, id) || !tx.commit())
            failure = QStringLiteral("保存凭证失败。");
    }
    if (!failure.isEmpty()) {
        tx.rollback();
        return failSave(failure);
    }
    header.编号 = id;
    for (int i = 0; i < intLineCount; ++i)
        arrLines[static_cast<std::size_t>(i)].编号 = id;
    // The voucher as now stored is the one this window holds: its next write checks against it.
    m_loadedId = id;
    m_loadedDigest = digest;
    m_loadedLines = intLineCount;
    m_loadedCodes.clear();
    for (int i = 0; i < intLineCount; ++i)
        m_loadedCodes.insert(arrLines[static_cast<std::size_t>(i)].科目代码);
    return { true, {}, -1 };
}

QString VoucherStore::voidRefusal(const StampSet& stamps) const
{
    return stamps.locksVoucher() ? QStringLiteral("该凭证无法作废。") : QString();
}

QString VoucherStore::auditRefusal(const StampSet& stamps) const
{
    if (stamps.any())
        return QStringLiteral("无法完成审核或已审核。");
    return Operators::auditRefusal(header.制单人);
}

QString VoucherStore::deleteRefusal(const StampSet& stamps) const
{
    return stamps.locksVoucher() ? QStringLiteral("该凭证无法完成删除操作。") : QString();
}

VoucherWrite VoucherStore::voidVoucher()
{
    header.已作废 = true;
    m_logAction = QStringLiteral("作废");
    const VoucherWrite saved = saveVoucher();
    m_logAction = QStringLiteral("保存");
    return saved;
}

VoucherWrite VoucherStore::auditVoucher()
{
    header.审核人 = Operators::auditorName();
    m_logAction = QStringLiteral("审核");
    const VoucherWrite saved = saveVoucher();
    m_logAction = QStringLiteral("保存");
    if (!saved)
        header.审核人.clear();
    return saved;
}

VoucherWrite VoucherStore::deleteVoucher()
{
    const QString deleteFailed = QStringLiteral("凭证删除失败。");
    Transaction tx(basDBOperate::cnnDB.get());
    QString failure;
    if (!tx.active())
        failure = refusalOr(deleteFailed);
    else if (const QString refused = PeriodClose::voucherRefusal(basDBOperate::cnnDB.get(), header.编号, QString());
             !refused.isEmpty())
        failure = refused;
    // The header and its lines go by the same 编号, and only while the file holds the voucher as it was shown.
    else if (header.编号 != 0 && !stillAsLoaded())
        failure = changedElsewhereMessage();
    // A voucher saved without lines has none to delete; only a failing line delete is an error.
    else if (basDBOperate::funExecute(VoucherSql::deleteLines(header.编号)) < 0)
        failure = QStringLiteral("凭证内容删除失败。");
    else if (basDBOperate::funExecute(VoucherSql::deleteHeader(header.编号)) != 1
             || !ChangeLog::appendVoucherGone(*basDBOperate::cnnDB, QStringLiteral("删除"), header.编号,
                                              ChangeLog::voucherName(header.类别, header.凭证号码))
             || !tx.commit())
        failure = deleteFailed;
    if (!failure.isEmpty()) {
        tx.rollback();
        return failSave(failure);
    }
    m_loadedId = 0;
    m_loadedDigest.clear();
    m_loadedCodes.clear();
    return { true, {}, -1 };
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
    const QString head = rowText(headerRow, kHeaderColumns);
    QStringList stored;
    m_loadedCodes.clear();
    bool complete = true;
    if (lineRows && lineRows->isOpen()) {
        for (; !lineRows->eof(); lineRows->moveNext()) {
            stored << rowText(*lineRows, kLineColumns);
            m_loadedCodes.insert(lineRows->text(QStringLiteral("科目代码")));
            if (intLineCount >= kLineSlots)
                continue;
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
        }
        complete = !lineRows->failed();
    }
    m_loadedId = header.编号;
    m_loadedLines = static_cast<int>(stored.size());
    // Lines that could not all be read give no digest: a write then refuses rather than drop what was not shown.
    m_loadedDigest = complete ? digestOf(head, stored) : QByteArray();
}

bool VoucherStore::loadStored(qint32 id)
{
    auto head = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(VoucherSql::headerById(id), head))
        return false;
    auto lines = basDBOperate::funNewRecordset();
    basDBOperate::funOpenRecordset(VoucherSql::linesWithAccounts(id), lines);
    funLoadVoucher(*head, lines.get());
    return true;
}

} // namespace kessory
