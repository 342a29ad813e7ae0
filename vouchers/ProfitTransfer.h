#pragma once

#include <QList>
#include <QString>

namespace kessory {

class Connection;

// 结转损益: the 转 voucher that carries the balance of every profit-and-loss account to 本年利润 at a month's end.
namespace ProfitTransfer {

struct Line {
    QString code;
    QString name;
    bool credit = false;
    qint64 cents = 0;
};

struct Voucher {
    QString date; // the month's last day, "yyyy-MM-dd"
    QString summary;
    QList<Line> lines;
    QString error; // why no voucher can be made; empty on success
};

// The 本年利润 account of the book: the setting 本年利润科目 when it names an account, else the account called
// 本年利润; empty when there is none.
QString profitAccount(Connection* connection);

// The transfer of month's end: each profit-and-loss account with a balance at the end of the month is brought to
// zero against the 本年利润 account (income debited against one credit to 本年利润, expenses credited against one
// debit). Amounts are whole fen. An error when there is no 本年利润 account or nothing to carry.
Voucher build(Connection* connection, int month);

} // namespace ProfitTransfer
} // namespace kessory
