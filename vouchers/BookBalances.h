#pragma once

#include <QString>
#include <map>

namespace kessory {

class Connection;

// Balances of the book in whole fen, signed credit minus debit like every balance of the books.
namespace BookBalances {

// What kind of account a code is, from its category in the chart (its own, else its nearest parent's, else the
// category named by its first digit in 财务科目类别).
enum class Kind { Asset, Liability, Equity, Cost, ProfitLoss, Unknown };

class Chart {
public:
    explicit Chart(Connection* connection);
    Kind kindOf(const QString& code) const;
    // The name of an account, or of its nearest parent in the chart; empty when none.
    QString nameOf(const QString& code) const;
    bool has(const QString& code) const { return m_categories.count(code) != 0; }

private:
    std::map<QString, QString> m_categories;
    std::map<QString, QString> m_names;
    std::map<QString, QString> m_categoryByDigit;
};

// True for the accounts whose balances carry into the next year (assets, liabilities, equity, cost).
bool carriesForward(Kind kind);

// Every account code that non-voided vouchers filed in months 1 to throughMonth posted to, with its net amount.
std::map<QString, qint64> posted(Connection* connection, int throughMonth);
// The same with the year's opening balances added: the balance of every code at the end of throughMonth.
std::map<QString, qint64> closing(Connection* connection, int throughMonth);

} // namespace BookBalances
} // namespace kessory
