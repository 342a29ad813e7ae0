#include "output/ui/BookJobs.h"

#include "ledgers/AccountSummary.h"
#include "ledgers/DetailLedger.h"
#include "ledgers/GeneralLedger.h"
#include "output/BookDocuments.h"
#include "statements/StatementDefinition.h"

namespace kessory {
namespace {

OutputJob tableJob(TableDocument document)
{
    OutputJob job;
    job.fileName = document.sheetName;
    job.tables.push_back(std::move(document));
    return job;
}

// A book of months start to end: loaded, then laid out by document under the heading of those months.
template <typename Book, typename Document> OutputJob monthsJob(int start, int end, Document document)
{
    auto s = static_cast<qint16>(start);
    auto e = static_cast<qint16>(end);
    Book book;
    book.funLoadItem(s, e);
    return tableJob(document(book, BookHeading { {}, {}, monthRangeText(s, e) }));
}

} // namespace

OutputJob detailLedgerJob(const QString& accountCode, int period)
{
    QString code = accountCode.isEmpty() ? QStringLiteral("000") : accountCode;
    auto p = static_cast<qint16>(period);
    DetailLedger ledger;
    ledger.funQueryLedger(0, code, p);
    const bool all = code == QStringLiteral("000");
    BookHeading heading { code, all ? QStringLiteral("全部") : accountNameOf(code),
                          p >= 1 && p <= 12 ? QStringLiteral("%1月").arg(p) : QStringLiteral("全部") };
    return tableJob(detailLedgerDocument(ledger, heading));
}

OutputJob generalLedgerJob(int start, int end)
{
    return monthsJob<GeneralLedger>(start, end, generalLedgerDocument);
}

OutputJob accountSummaryJob(int start, int end)
{
    return monthsJob<AccountSummary>(start, end, accountSummaryDocument);
}

bool statementJob(const StatementDefinition& statement, OutputJob& job, StatementPeriod period)
{
    TableDocument document;
    if (!statementDocument(statement, document, period))
        return false;
    job = tableJob(std::move(document));
    return true;
}

OutputJob accountsJob()
{
    return tableJob(accountsDocument());
}

OutputJob voucherJob(const VoucherRange& range, VoucherPaperKind paper)
{
    OutputJob job;
    job.vouchers = true;
    job.paper = paper;
    job.voucherList = loadVouchers(range);
    job.fileName = QStringLiteral("记账凭证");
    return job;
}

} // namespace kessory
