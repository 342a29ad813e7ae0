#include "output/BookDocuments.h"

#include "data/BookSettings.h"
#include "data/Numbers.h"
#include "data/basDBOperate.h"
#include "ledgers/AccountSummary.h"
#include "ledgers/DetailLedger.h"
#include "ledgers/DetailLedgerPage.h"
#include "ledgers/GeneralLedger.h"
#include "statements/StatementDefinition.h"
#include "statements/StatementHeading.h"
#include "statements/StatementRows.h"

#include <QHash>

namespace kessory {
namespace {

TableCell text(const QString& t)
{
    return TableCell::ofText(t);
}

TableCell cents(qint64 c)
{
    return TableCell::ofCents(c);
}

qint64 magnitude(qint64 c)
{
    return c < 0 ? -c : c;
}

QString yearText()
{
    return QStringLiteral("%1年").arg(BookSettings::bookYear(basDBOperate::cnnDB.get()));
}

// A document with the preparer's heading line: 编制单位 on the left, the given period in the centre, 单位：元 on the
// right.
TableDocument preparedDocument(const QString& sheetName, const QString& title, const QString& period)
{
    TableDocument doc;
    doc.sheetName = sheetName;
    doc.title = title;
    doc.infoLeft = QStringLiteral("编制单位：") + preparerName();
    doc.infoCentre = period;
    doc.infoRight = QStringLiteral("单位：元");
    return doc;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QString preparerName()
{
    const QString name = BookSettings::value(basDBOperate::cnnDB.get(), QStringLiteral("单位名称")).trimmed();
    return name.isEmpty() ? funEnterpriseName() : name;
}

QString monthRangeText(int start, int end)
{
    if (start <= 0 && end <= 0)
        return QStringLiteral("全年");
    if (start == end)
        return QStringLiteral("%1月").arg(start);
    return QStringLiteral("%1月至%2月").arg(start).arg(end);
}

TableDocument detailLedgerDocument(const DetailLedger& ledger, const BookHeading& heading)
{
    TableDocument doc;
    doc.sheetName = QStringLiteral("明细分类账");
    doc.title = QStringLiteral("明 细 分 类 账");
    const bool all = heading.accountCode.isEmpty() || heading.accountCode == QStringLiteral("000");
    doc.infoLeft = all ? QStringLiteral("科目：全部")
                       : QStringLiteral("科目：%1 %2").arg(heading.accountCode, heading.accountName);
    doc.infoCentre = yearText() + QStringLiteral("　会计期间：") + heading.period;
    doc.infoRight = QStringLiteral("单位：元");
    doc.columns = {
        { QStringLiteral("月"), ColumnKind::Text, 2 },         { QStringLiteral("日"), ColumnKind::Text, 2 },
        { QStringLiteral("凭证号码"), ColumnKind::Text, 4 },   { QStringLiteral("科目编号"), ColumnKind::Code, 5 },
        { QStringLiteral("摘要"), ColumnKind::Text, 12 },      { QStringLiteral("借方金额"), ColumnKind::Amount, 7 },
        { QStringLiteral("贷方金额"), ColumnKind::Amount, 7 }, { QStringLiteral("方向"), ColumnKind::Text, 3 },
        { QStringLiteral("余额"), ColumnKind::Amount, 7 },
    };
    doc.carry = { true, 4, { 5, 6 }, { 7, 8 } };

    for (int i = 0; i < ledger.intJLCount(); ++i) {
        const typMXZJL& row = ledger.arrMXZJL(i);
        if (row.ZY.isEmpty() && row.PZHM == 0 && row.LB.isEmpty() && toCents(row.JE) == 0 && toCents(row.YE) == 0)
            continue; // the blank rows after the total
        TableRow out;
        if (row.ZY == DetailLedger::kTotal && row.PZHM == 0 && row.LB.isEmpty()) {
            // The totals of the period and, as the window shows them, their difference.
            const qint64 debit = magnitude(toCents(row.JE));
            const qint64 credit = toCents(row.YE);
            const qint64 diff = credit - debit;
            out.kind = RowKind::Total;
            out.cells = { text({}),
                          text({}),
                          text(QStringLiteral("合计")),
                          text({}),
                          text(QStringLiteral("本期合计")),
                          cents(debit),
                          cents(credit),
                          text(sideText(sideOfCents(diff))),
                          cents(magnitude(diff)) };
        } else {
            const qint64 balance = toCents(row.YE);
            const bool opening = row.PZHM == 0 && row.LB.isEmpty();
            if (opening) {
                out.kind = RowKind::Opening;
                out.cells = { text({}),
                              text({}),
                              text(QStringLiteral("期初")),
                              text({}),
                              text(row.ZY),
                              text({}),
                              text({}),
                              text(sideText(sideOfCents(balance))),
                              cents(magnitude(balance)) };
            } else {
                const QDate date = dateOfJZRQ(row.JZRQ);
                const qint64 amount = toCents(row.JE);
                out.cells = { text(date.isValid() ? twoDigits(date.month()) : QString()),
                              text(date.isValid() ? twoDigits(date.day()) : QString()),
                              text(row.LB.trimmed() + QStringLiteral("%1").arg(row.PZHM, 4, 10, QLatin1Char('0'))),
                              text(row.KMBH),
                              text(row.ZY),
                              row.FX ? text({}) : cents(amount),
                              row.FX ? cents(amount) : text({}),
                              text(sideText(sideOfCents(balance))),
                              cents(magnitude(balance)) };
            }
        }
        doc.rows.push_back(std::move(out));
    }
    return doc;
}

TableDocument generalLedgerDocument(const GeneralLedger& ledger, const BookHeading& heading)
{
    TableDocument doc = preparedDocument(QStringLiteral("总分类账"), QStringLiteral("总 分 类 账"),
                                         yearText() + QStringLiteral("　") + heading.period);
    doc.columns = {
        { QStringLiteral("科目编号"), ColumnKind::Code, 5 },   { QStringLiteral("科目名称"), ColumnKind::Text, 8 },
        { QStringLiteral("月份"), ColumnKind::Text, 2 },       { QStringLiteral("摘要"), ColumnKind::Text, 5 },
        { QStringLiteral("借方金额"), ColumnKind::Amount, 7 }, { QStringLiteral("贷方金额"), ColumnKind::Amount, 7 },
        { QStringLiteral("方向"), ColumnKind::Text, 3 },       { QStringLiteral("余额"), ColumnKind::Amount, 7 },
    };
    for (int i = 0; i < ledger.intItemCount; ++i) {
        const typZZItem& item = ledger.entry(i);
        if (item.ZY.isEmpty())
            continue;
        const LedgerSlotView view = funSlotView(item);
        if (view.blank)
            continue;
        TableRow out;
        const bool opening = item.ZY == QStringLiteral("期初余额");
        const bool monthTotals = item.ZY == QStringLiteral("本期合计");
        out.kind = opening ? RowKind::Opening : RowKind::Line;
        out.cells = { text(view.code),
                      text(view.name),
                      text(view.period),
                      text(view.summary),
                      monthTotals ? cents(toCents(view.debit)) : text({}),
                      monthTotals ? cents(toCents(view.credit)) : text({}),
                      text(sideText(view.side)),
                      cents(toCents(view.magnitude)) };
        doc.rows.push_back(std::move(out));
    }
    return doc;
}

TableDocument accountSummaryDocument(const AccountSummary& summary, const BookHeading& heading)
{
    TableDocument doc = preparedDocument(QStringLiteral("科目汇总表"), QStringLiteral("科 目 汇 总 表"),
                                         yearText() + QStringLiteral("　") + heading.period);
    doc.columns = {
        { QStringLiteral("科目编号"), ColumnKind::Code, 5 },   { QStringLiteral("科目名称"), ColumnKind::Text, 10 },
        { QStringLiteral("借方金额"), ColumnKind::Amount, 8 }, { QStringLiteral("贷方金额"), ColumnKind::Amount, 8 },
        { QStringLiteral("方向"), ColumnKind::Text, 3 },       { QStringLiteral("余额"), ColumnKind::Amount, 8 },
    };
    qint64 debitTotal = 0;
    qint64 creditTotal = 0;
    for (int i = 0; i < summary.intItemCount; ++i) {
        const typKMHZItem& item = summary.entry(i);
        // Entries without an account are the blank tail (and a total row of the store, which the table makes
        // itself below).
        if (item.KMBH.trimmed().isEmpty())
            continue;
        const qint64 debit = toCents(item.JFJE);
        const qint64 credit = toCents(item.DFJE);
        const qint64 balance = toCents(item.Diff);
        debitTotal += debit;
        creditTotal += credit;
        doc.rows.push_back({ { text(item.KMBH), text(item.KMMC), cents(debit), cents(credit),
                               text(sideText(sideOfCents(balance))), cents(magnitude(balance)) },
                             RowKind::Line });
    }
    const qint64 diff = creditTotal - debitTotal;
    doc.rows.push_back({ { text({}), text(QStringLiteral("合计")), cents(debitTotal), cents(creditTotal),
                           text(sideText(sideOfCents(diff))), cents(magnitude(diff)) },
                         RowKind::Total });
    return doc;
}

bool statementDocument(const StatementDefinition& statement, TableDocument& doc, StatementPeriod period)
{
    doc = preparedDocument(statement.title.simplified().remove(QLatin1Char(' ')), statement.title, yearText());
    doc.formNumber = statement.formNumber;
    doc.columns = { { QStringLiteral("类别"), ColumnKind::Text, 7 },
                    { QStringLiteral("项目"), ColumnKind::Text, statement.columnCount() == 4 ? 20 : 16 },
                    { QStringLiteral("行次"), ColumnKind::Text, 2 } };
    for (const QString& h : statement.valueHeadings)
        doc.columns.push_back({ h.simplified().remove(QLatin1Char(' ')), ColumnKind::Amount, 8 });

    doc.groupColumn = 0;

    const StatementReport report = funComputeStatement(basDBOperate::cnnDB.get(), statement, period);
    if (!report.read)
        return false;
    QString lastCategory;
    for (const StatementLine& line : report.lines) {
        const StatementRow& row = line.row;
        TableRow out;
        // Neighbouring lines of one category name it once, as the form does.
        out.cells
            = { text(row.category == lastCategory ? QString() : row.category), text(row.caption), text(row.line) };
        lastCategory = row.category;
        for (int v = 0; v < statement.valueHeadings.size(); ++v) {
            const auto cell = static_cast<std::size_t>(v);
            if (cell < line.cells.size() && line.cells[cell].state == StatementCell::State::Computed) {
                out.cells.push_back(cents(line.cells[cell].cents));
                continue;
            }
            const QString value = cell < line.cells.size() ? line.cells[cell].text.trimmed() : QString();
            bool ok = false;
            const double yuan = QString(value).remove(QLatin1Char(',')).toDouble(&ok);
            out.cells.push_back(ok ? cents(toCents(yuan)) : text(value));
        }
        if (row.caption.contains(QStringLiteral("合计")) || row.caption.contains(QStringLiteral("总计")))
            out.kind = RowKind::Total;
        doc.rows.push_back(std::move(out));
    }
    return true;
}

TableDocument accountsDocument()
{
    TableDocument doc;
    doc.sheetName = QStringLiteral("会计科目表");
    doc.title = QStringLiteral("会 计 科 目 表");
    doc.infoLeft = QStringLiteral("编制单位：") + preparerName();
    doc.infoCentre = yearText();
    doc.columns = { { QStringLiteral("科目编号"), ColumnKind::Code, 7 },
                    { QStringLiteral("科目名称"), ColumnKind::Text, 16 },
                    { QStringLiteral("科目类别"), ColumnKind::Text, 4 },
                    { QStringLiteral("级次"), ColumnKind::Text, 2 },
                    { QStringLiteral("余额方向"), ColumnKind::Text, 4 } };

    QHash<QString, QString> categories;
    RecordsetPtr rs = basDBOperate::funNewRecordset();
    if (basDBOperate::funOpenRecordset(QStringLiteral("Select 编号, 类别名称 From 财务科目类别"), rs)) {
        for (; !rs->eof(); rs->moveNext())
            categories.insert(rs->text(QStringLiteral("编号")).trimmed(), rs->text(QStringLiteral("类别名称")));
    }
    rs->close();
    if (basDBOperate::funOpenRecordset(
            QStringLiteral("Select 科目编号, 科目名称, 科目类别, 级次, 余额方向 From 财务科目 Order By 科目编号"),
            rs)) {
        for (; !rs->eof(); rs->moveNext()) {
            const QString code = rs->text(QStringLiteral("科目编号")).trimmed();
            const int level = static_cast<int>(rs->integer(QStringLiteral("级次")));
            QString category = rs->text(QStringLiteral("科目类别")).trimmed();
            if (category.isEmpty() && !code.isEmpty())
                category = code.left(1);
            doc.rows.push_back(
                { { text(code),
                    text(QString(std::max(level - 1, 0), QChar(0x3000)) + rs->text(QStringLiteral("科目名称"))),
                    text(categories.value(category, category)), text(QString::number(level)),
                    text(rs->boolean(QStringLiteral("余额方向")) ? QStringLiteral("贷") : QStringLiteral("借")) },
                  RowKind::Line });
        }
    }
    rs->close();
    return doc;
}

} // namespace kessory

namespace kessory {

QString accountNameOf(const QString& code)
{
    Connection* connection = basDBOperate::cnnDB.get();
    if (!connection)
        return {};
    Statement st = connection->prepare(QStringLiteral("Select 科目名称 From 财务科目 Where 科目编号 = ?"));
    if (!st.valid())
        return {};
    st.bind(1, code);
    return st.step() == 1 ? st.column(0).toString() : QString();
}

} // namespace kessory
