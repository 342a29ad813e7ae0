#include "ledgers/AccountSummary.h"

#include "data/Connection.h"
#include "data/Numbers.h"
#include "data/basDBOperate.h"
#include "ledgers/GeneralLedger.h"

#include <utility>

namespace kessory {

void AccountSummary::funCorrectRange(qint16& start, qint16& end)
{
    if (start < 0 || start > 12)
        start = 0;
    if (end < 0 || end > 12)
        end = 0;
    if (start > end)
        std::swap(start, end);
}

QString AccountSummary::funSqlMonths(qint16 start, qint16 end)
{
    if (start <= 0 && end <= 0)
        return {};
    return QStringLiteral(" And Month(日期)  Between ") + QString::number(start) + QStringLiteral(" And ")
        + QString::number(end);
}

bool AccountSummary::funLoadItem(qint16& start, qint16& end)
{
    const ReadSnapshot snapshot(basDBOperate::cnnDB.get());
    intItemCount = 0;
    funCorrectRange(start, end);

    basDBOperate::RecordsetPtr accounts = basDBOperate::funNewRecordset();
    basDBOperate::RecordsetPtr lines = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(GeneralLedgerText::funSqlAccounts(), accounts))
        return false;
    accounts->fetchAll();
    clearSheetAndData();
    accounts->moveFirst();

    const QString months = funSqlMonths(start, end);
    for (; !accounts->eof(); accounts->moveNext()) {
        const QString code = accounts->text(QStringLiteral("科目编号"));
        const QString base = GeneralLedgerText::funSqlAccountLines(code) + months;

        // A side query that returns no row leaves the account out.
        if (!basDBOperate::funOpenRecordset(base + QStringLiteral(" And 方向"), lines))
            continue;
        const qint64 creditCount = lines->integer(QStringLiteral("记录数"));
        const qint64 credit = creditCount != 0 ? toCents(lines->number(QStringLiteral("科目合计"))) : 0;
        if (!basDBOperate::funOpenRecordset(base + QStringLiteral(" And Not 方向"), lines))
            continue;
        const qint64 debitCount = lines->integer(QStringLiteral("记录数"));
        if (creditCount + debitCount == 0)
            continue;
        const qint64 debit = debitCount != 0 ? toCents(lines->number(QStringLiteral("科目合计"))) : 0;

        typKMHZItem item;
        item.KMBH = code;
        item.KMMC = accounts->text(QStringLiteral("科目名称"));
        item.DFJE = fromCents(credit);
        item.JFJE = fromCents(debit);
        item.Diff = fromCents(credit - debit);
        if (!store(item))
            return false;
    }
    closeWithBlankTail();
    return true;
}

LedgerSlotView funSlotView(const typKMHZItem& item)
{
    LedgerSlotView view;
    view.blank = false;
    view.code = item.KMBH;
    view.name = item.KMMC;
    view.summary = item.ZY;
    view.debit = item.JFJE;
    view.credit = item.DFJE;
    funSetBalance(view, item.Diff);
    return view;
}

} // namespace kessory
