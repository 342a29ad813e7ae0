#pragma once

#include "output/TableDocument.h"
#include "statements/StatementReport.h"

#include <QString>

namespace kessory {

class AccountSummary;
class DetailLedger;
class GeneralLedger;
struct StatementDefinition;

// The heading of a book: what the window's page names above its sheet.
struct BookHeading {
    QString accountCode; // detail ledger: the account, "000" for all
    QString accountName;
    QString period; // the months the page names: "全部", "3月", "1月至6月"
};

// The books as tables, read from their loaded stores exactly as the windows show them. Amounts are in fen; the
// balance columns carry the side (借, 贷, 平) and the magnitude.
TableDocument detailLedgerDocument(const DetailLedger& ledger, const BookHeading& heading);
TableDocument generalLedgerDocument(const GeneralLedger& ledger, const BookHeading& heading);
// The account summary closes with a 合计 row over its accounts.
TableDocument accountSummaryDocument(const AccountSummary& summary, const BookHeading& heading);
// The statement's lines as its window shows them for the period (figures computed where the book has formulas)
// with 编制单位, the year and the unit; false (with an empty table) when its table cannot be read.
bool statementDocument(const StatementDefinition& statement, TableDocument& document,
                       StatementPeriod period = defaultStatementPeriod());
// The chart of accounts in code order, names indented by level.
TableDocument accountsDocument();

// The organisation that keeps the books: 单位名称 of the settings, else of 单位信息.
QString preparerName();
// "1月至6月", "3月", or "全年" for 0 to 0.
QString monthRangeText(int start, int end);

} // namespace kessory

namespace kessory {

// The name of an account in the chart; empty when there is none.
QString accountNameOf(const QString& code);

} // namespace kessory
