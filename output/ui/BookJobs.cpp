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
    auto s = static_cast<qint16>(start);
    auto e = static_cast<qint16>(end);
    GeneralLedger ledger;
    ledger.funLoadItem(s, e);
    return tableJob(generalLedgerDocument(ledger, { {}, {}, monthRangeText(s, e) }));
}

OutputJob accountSummaryJob(int start, int end)
{
    auto s = static_cast<qint16>(start);
    auto e = static_cast<qint16>(end);
    AccountSummary summary;
    summary.funLoadItem(s, e);
    return tableJob(accountSummaryDocument(summary, { {}, {}, monthRangeText(s, e) }));
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
