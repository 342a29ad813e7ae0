#pragma once

#include "output/ui/OutputJob.h"
#include "statements/StatementReport.h"

namespace kessory {

struct StatementDefinition;

// The jobs of the books, each loaded afresh from the open book the way its window loads it.
// The detail ledger of an account ("000" or empty: every account) for a month (0: the whole year).
OutputJob detailLedgerJob(const QString& accountCode, int period);
// The general ledger and the account summary over a month range.
OutputJob generalLedgerJob(int start, int end);
OutputJob accountSummaryJob(int start, int end);
// False when the statement's table cannot be read.
bool statementJob(const StatementDefinition& statement, OutputJob& job,
                  StatementPeriod period = defaultStatementPeriod());
OutputJob accountsJob();
OutputJob voucherJob(const VoucherRange& range, VoucherPaperKind paper);

} // namespace kessory
