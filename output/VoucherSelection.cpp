#include "output/VoucherSelection.h"

#include "data/Numbers.h"
#include "data/basDBOperate.h"
#include "ledgers/DetailLedgerPage.h"
#include "vouchers/VoucherSql.h"
#include "vouchers/VoucherStore.h"

#include <algorithm>

namespace kessory {

std::vector<PrintedVoucher> loadVouchers(const VoucherRange& range)
{
    std::vector<PrintedVoucher> out;
    RecordsetPtr headers = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(VoucherSql::fullList(), headers))
        return out;
    headers->fetchAll();
    VoucherStore store;
    for (headers->moveFirst(); !headers->eof(); headers->moveNext()) {
        const QString category = headers->text(QStringLiteral("类别")).trimmed();
        const qint64 number = headers->integer(QStringLiteral("凭证号码"));
        if (!range.category.isEmpty() && category != range.category)
            continue;
        if (number < range.fromNumber || number > range.toNumber)
            continue;
        if (!range.includeVoided && headers->boolean(QStringLiteral("已作废")))
            continue;
        int month = VoucherStore::monthOf(headers->text(QStringLiteral("记账日期")));
        if (month == 0)
            month = static_cast<int>(headers->integer(QStringLiteral("月份")));
        if (range.month > 0 && month != range.month)
            continue;

        RecordsetPtr lines = basDBOperate::funNewRecordset();
        const qint32 id = static_cast<qint32>(headers->integer(QStringLiteral("编号")));
        basDBOperate::funOpenRecordset(VoucherSql::linesWithAccounts(id), lines);
        store.funLoadVoucher(*headers, lines.get());
        PrintedVoucher v;
        v.header = store.header;
        for (int i = 0; i < store.intLineCount; ++i) {
            const typVoucherLine& line = store.arrLines[static_cast<std::size_t>(i)];
            v.lines.push_back(line);
            (line.方向 ? v.creditCents : v.debitCents) += toCents(line.金额);
        }
        out.push_back(std::move(v));
    }
    std::stable_sort(out.begin(), out.end(), [](const PrintedVoucher& a, const PrintedVoucher& b) {
        if (a.header.类别 != b.header.类别)
            return a.header.类别 < b.header.类别;
        return a.header.凭证号码 < b.header.凭证号码;
    });
    return out;
}

QString chineseDate(const QString& dateText)
{
    const QDate date = dateOfJZRQ(dateText);
    if (!date.isValid())
        return dateText;
    return QStringLiteral("%1年%2月%3日")
        .arg(date.year())
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

TableDocument voucherListDocument(const std::vector<PrintedVoucher>& vouchers)
{
    TableDocument doc;
    doc.sheetName = QStringLiteral("记账凭证");
    doc.title = QStringLiteral("记 账 凭 证");
    doc.infoRight = QStringLiteral("单位：元");
    doc.columns = {
        { QStringLiteral("凭证号"), ColumnKind::Text, 4 },     { QStringLiteral("日期"), ColumnKind::Text, 5 },
        { QStringLiteral("附单据数"), ColumnKind::Text, 2 },   { QStringLiteral("摘要"), ColumnKind::Text, 10 },
        { QStringLiteral("科目编号"), ColumnKind::Code, 5 },   { QStringLiteral("科目名称"), ColumnKind::Text, 8 },
        { QStringLiteral("借方金额"), ColumnKind::Amount, 7 }, { QStringLiteral("贷方金额"), ColumnKind::Amount, 7 },
        { QStringLiteral("制单"), ColumnKind::Text, 3 },       { QStringLiteral("审核"), ColumnKind::Text, 3 },
        { QStringLiteral("记账"), ColumnKind::Text, 3 },       { QStringLiteral("状态"), ColumnKind::Text, 2 }
    };
    for (const PrintedVoucher& v : vouchers) {
        const QString number
            = v.header.类别.trimmed() + QStringLiteral("%1").arg(v.header.凭证号码, 4, 10, QLatin1Char('0'));
        const QDate date = dateOfJZRQ(v.header.记账日期);
        const QString dateText = date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : v.header.记账日期;
        for (const typVoucherLine& line : v.lines) {
            const qint64 amount = toCents(line.金额);
            doc.rows.push_back(
                { { TableCell::ofText(number), TableCell::ofText(dateText),
                    TableCell::ofText(QString::number(v.header.附单据数)), TableCell::ofText(line.摘要),
                    TableCell::ofText(line.科目代码), TableCell::ofText(line.科目名称),
                    line.方向 ? TableCell::ofText({}) : TableCell::ofCents(amount),
                    line.方向 ? TableCell::ofCents(amount) : TableCell::ofText({}), TableCell::ofText(v.header.制单人),
                    TableCell::ofText(v.header.审核人), TableCell::ofText(v.header.记账人),
                    TableCell::ofText(v.header.已作废 ? QStringLiteral("作废") : QString()) },
                  RowKind::Line });
        }
    }
    return doc;
}

} // namespace kessory
