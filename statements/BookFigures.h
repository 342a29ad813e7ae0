#pragma once

#include <QString>
#include <array>
#include <map>
#include <vector>

namespace kessory {

class Connection;

// One line of a voucher as the cash flow split sees it.
struct CashSplitLine {
    QString account;
    bool credit = false;
    qint64 cents = 0;
    bool cash = false; // on an account marked 现金账 or 银行账 (itself or a parent)
};

// Splits one voucher's movement of cash over the accounts on the other side. A voucher whose cash lines add up to
// more debit than credit received cash: the net goes to its non-cash credit lines; one with more cash credit paid
// cash: the net goes to its non-cash debit lines. Several such lines share the net in proportion to their amounts,
// in whole fen, rounded down, the fen left over going to the largest line (the first of equals). Non-cash lines on
// the same side as the cash, and vouchers whose cash nets to zero (cash moved between cash accounts), get nothing.
void splitVoucherCash(const std::vector<CashSplitLine>& lines, std::map<QString, qint64>& received,
                      std::map<QString, qint64>& paid);

// What the statements compute from: the chart, the openings and the lines of every voucher that is not voided,
// summed per account, month and side in one grouped pass; and the cash received and paid per account over the
// chosen months. Money in whole fen; raw balances are credit minus debit like every balance of the books.
class BookFigures {
public:
    struct Account {
        QString name;
        QString category; // 科目类别 (资产类 …)
        bool creditSide = false; // 余额方向 1
        bool cash = false; // 现金账 or 银行账 ticked on it or on a parent
    };

    // Reads the book: sums of every month always; with cash, the split of the cash over months start..end (1-12).
    static BookFigures load(Connection* connection, int startMonth, int endMonth, bool withCash);

    const Account* account(const QString& code) const;
    const std::map<QString, Account>& chart() const { return m_chart; }

    // The account with its sub-accounts: opening (credit minus debit), debit and credit totals over months from..to.
    qint64 opening(const QString& code) const;
    qint64 debit(const QString& code, int from, int to) const;
    qint64 credit(const QString& code, int from, int to) const;
    // Cash received against / paid for the account with its sub-accounts over the chosen months; every account's
    // together when the code is empty.
    qint64 received(const QString& code) const;
    qint64 paid(const QString& code) const;
    // Debit minus credit of the cash accounts over months from..to: the increase of cash.
    qint64 cashIncrease(int from, int to) const;
    // Credit minus debit over months from..to of the accounts of the category 损益类 together: the profit that
    // their lines leave in them (zero once every month is carried to 本年利润).
    qint64 profitAndLossMovement(int from, int to) const;

private:
    using Months = std::array<qint64, 13>; // index 1-12
    static qint64 sumPrefix(const std::map<QString, Months>& sums, const QString& code, int from, int to);
    static qint64 sumPrefix(const std::map<QString, qint64>& sums, const QString& code);

    std::map<QString, Account> m_chart;
    std::map<QString, qint64> m_openings;
    std::map<QString, Months> m_debit;
    std::map<QString, Months> m_credit;
    std::map<QString, qint64> m_received;
    std::map<QString, qint64> m_paid;
};

} // namespace kessory
