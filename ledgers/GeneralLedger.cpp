#include "ledgers/GeneralLedger.h"

#include "data/Connection.h"
#include "data/Numbers.h"
#include "data/SqlRewrite.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"

#include <utility>

namespace kessory {

namespace GeneralLedgerText {

QString funSqlAccounts()
{
    return QStringLiteral("Select 科目编号,科目名称 From 财务科目 Where Len(科目编号)=3 Order By 科目编号");
}

QString funSqlAccountLines(const QString& code)
{
    return QStringLiteral("Select Count(金额) As 记录数,Sum(金额) As 科目合计 From 记账凭证内容 Where 科目编号 Like '")
        + sqlQuote(code) + QStringLiteral("' And 编号 Not In(Select 编号 From 记账凭证 Where 记账凭证.已作废) ");
}

QString funSqlAllLines()
{
    return QStringLiteral("Select Sum(金额) As 合计 From 记账凭证内容 Where 编号 Not In(Select 编号 From 记账凭证 "
                          "Where 记账凭证.已作废) ");
}

} // namespace GeneralLedgerText

namespace {

using namespace GeneralLedgerText;

// One side's total of a month query, in cents; false when the query failed (which ends the load).
bool monthSideCents(basDBOperate::RecordsetPtr& rs, const QString& sql, qint64& cents)
{
    if (!basDBOperate::funOpenRecordset(sql, rs))
        return false;
    cents = rs->integer(QStringLiteral("记录数")) != 0 ? toCents(rs->number(QStringLiteral("科目合计"))) : 0;
    return true;
}

// A side sum of the balance query, in cents; false when it returned no row.
bool balanceSideCents(basDBOperate::RecordsetPtr& rs, const QString& sql, qint64& cents)
{
    if (!basDBOperate::funOpenRecordset(sql, rs))
        return false;
    cents = toCents(leadingNumber(rs->text(QStringLiteral("合计"))));
    return true;
}

} // namespace

void GeneralLedger::funCorrectRange(qint16& start, qint16& end, int currentMonth)
{
    if (start < 0 || start > currentMonth)
        start = 1;
    if (end < 0 || end > currentMonth)
        end = static_cast<qint16>(currentMonth);
    if (start > end)
        std::swap(start, end);
}

double GeneralLedger::funGetBalance(qint16 month, const QString& code)
{
    if (month < 0 || month > 13)
        return 0.0;
    QString q = funSqlAllLines() + QStringLiteral(" And Month(日期) < ") + QString::number(month);
    if (!code.isEmpty())
        q += QStringLiteral(" And 科目编号 Like '") + sqlQuote(code) + QLatin1Char('\'');
    basDBOperate::RecordsetPtr rs = basDBOperate::funNewRecordset();
    qint64 debit = 0;
    qint64 credit = 0;
    if (!balanceSideCents(rs, q + QStringLiteral(" And 方向 = False"), debit))
        return 0.0;
    if (!balanceSideCents(rs, q + QStringLiteral(" And 方向 = True"), credit))
        return 0.0;
    return fromCents(credit - debit);
}

bool GeneralLedger::funLoadItem(qint16& start, qint16& end)
{
    const ReadSnapshot snapshot(basDBOperate::cnnDB.get());
    intItemCount = 0;
    funCorrectRange(start, end, Clock::currentMonth());

    basDBOperate::RecordsetPtr accounts = basDBOperate::funNewRecordset();
    basDBOperate::RecordsetPtr lines = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(funSqlAccounts(), accounts))
        return false;
    // Read the chart at once: the loop runs many queries on the same connection.
    accounts->fetchAll();
    clearSheetAndData();
    accounts->moveFirst();

    for (; !accounts->eof(); accounts->moveNext()) {
        const QString code = accounts->text(QStringLiteral("科目编号"));
        const QString name = accounts->text(QStringLiteral("科目名称"));
        const double opening = funGetBalance(start, code);
        const QString base = funSqlAccountLines(code);
        qint64 n = 0;
        if (basDBOperate::funOpenRecordset(base + QStringLiteral(" And Month(日期) Between ") + QString::number(start)
                                               + QStringLiteral(" And ") + QString::number(end),
                                           lines))
            n = lines->integer(QStringLiteral("记录数"));
        if (toCents(opening) == 0 && n == 0)
            continue;

        typZZItem head;
        head.KMBH = code;
        head.KMMC = name;
        head.Diff = opening;
        head.KJQJ = start;
        head.ZY = QStringLiteral("期初余额");
        if (!store(head))
            return false;

        for (qint16 i = start; i <= end; ++i) {
            const QString month = base + QStringLiteral(" And Month(日期)=") + QString::number(i);
            qint64 credit = 0;
            qint64 debit = 0;
            if (!monthSideCents(lines, month + QStringLiteral(" And 方向"), credit)
                || !monthSideCents(lines, month + QStringLiteral(" And Not 方向"), debit))
                return false;

            typZZItem total;
            total.KMBH = code;
            total.KMMC = name;
            total.DFJE = fromCents(credit);
            total.JFJE = fromCents(debit);
            total.Diff = fromCents(credit - debit);
            total.KJQJ = i;
            total.ZY = QStringLiteral("本期合计");
            if (!store(total))
                return false;

            typZZItem toDate;
            toDate.KMBH = code;
            toDate.KMMC = name;
            toDate.Diff = funGetBalance(static_cast<qint16>(i + 1), code);
            toDate.KJQJ = i;
            toDate.ZY = QStringLiteral("本年累计");
            if (!store(toDate))
                return false;
        }
    }
    closeWithBlankTail();
    return true;
}

LedgerSlotView funSlotView(const typZZItem& item)
{
    LedgerSlotView view;
    const bool opening = item.ZY == QStringLiteral("期初余额");
    const bool total = item.ZY == QStringLiteral("本期合计");
    if (!opening && !total && item.ZY != QStringLiteral("本年累计"))
        return view;
    view.blank = false;
    if (opening) {
        view.code = item.KMBH;
        view.name = item.KMMC;
    }
    view.period = QString::number(item.KJQJ);
    view.oddMonth = item.KJQJ % 2 != 0;
    view.summary = item.ZY;
    if (total) {
        view.debit = item.JFJE;
        view.credit = item.DFJE;
    }
    funSetBalance(view, item.Diff);
    return view;
}

} // namespace kessory
