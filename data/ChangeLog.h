#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

namespace kessory {

class Connection;

// The change log (table 操作日志): one row for every write of the program, appended inside the write's own
// transaction, chained by SHA-256 so that a row edited or removed afterwards shows, and carrying a digest of the
// affected rows so that a voucher or account changed outside the program shows too.
namespace ChangeLog {

// Kinds of object a row names.
inline const QString kVoucher = QStringLiteral("凭证");
inline const QString kAccount = QStringLiteral("科目");
inline const QString kOperator = QStringLiteral("操作员");
inline const QString kOpenings = QStringLiteral("期初余额");
inline const QString kPeriod = QStringLiteral("会计期间");
inline const QString kBook = QStringLiteral("账簿");

struct Entry {
    QString action; // 保存, 作废, 审核, 删除, 新增, 修改, 结账, 反结账, 年结 ...
    QString kind; // one of the kinds above
    QString target; // the voucher's 编号, the account's code, the operator's name, the month ...
    QString note; // what a reader knows the object by (记0007, the account's name), may be empty
    QString digest; // of the affected rows after the change; '' when they are gone
};

// Appends one row, naming the current operator and the clock's time. Call it inside the transaction of the write it
// records. True when the row is written, and when the book has no log table (a book that cannot take one).
bool append(Connection& connection, const Entry& entry);

// Digests of what is stored now: the voucher's header and lines, the account's row, any rows of one query. Empty
// when the voucher or account is not there.
QString voucherDigest(Connection& connection, qint64 voucherId);
QString accountDigest(Connection& connection, const QString& code);
// A digest of every row a query returns (a whole table of a feature's own, such as the openings).
QString rowsDigest(Connection& connection, const QString& sql);
// The voucher's label as the books show it: 记0007.
QString voucherLabel(Connection& connection, qint64 voucherId);
QString voucherName(const QString& category, qint64 number);

// Appends the row of a voucher or an account write, with its digest as stored now.
bool appendVoucher(Connection& connection, const QString& action, qint64 voucherId);
// The row of a voucher that is gone: its label as it was, an empty digest.
bool appendVoucherGone(Connection& connection, const QString& action, qint64 voucherId, const QString& label);
bool appendAccount(Connection& connection, const QString& action, const QString& code);

// Registers every voucher and account of a book whose log is empty (the vouchers it held before the log began), one
// row each, so that later changes outside the program show against them. Does nothing on a book with a log row, a
// read-only book or one without the table. False when the write failed.
bool registerBaseline(Connection& connection);

struct Row {
    qint64 seq = 0;
    QString time;
    QString operatorName;
    QString action;
    QString kind;
    QString target;
    QString note;
    QString digest;
    QString previousHash;
    QString hash;
};

struct Filter {
    QDate from; // null: no bound
    QDate to;
    QString operatorName; // empty: every operator
    QString voucher; // empty: every row; else the rows of vouchers whose label or 编号 is this text (记7, 记0007, 7)
};
// The rows, oldest first, that pass the filter.
QList<Row> rows(Connection& connection, const Filter& filter = {});
// The operators named in the log.
QStringList operatorNames(Connection& connection);

// A break found by verify: what it is, in words for the user.
struct Break {
    qint64 seq = 0; // the log row concerned; 0 for an object the log does not know
    QString text;
};
// Walks the chain and compares every voucher's and account's digest now with its last logged one.
QList<Break> verify(Connection& connection);

// The hash a row carries: SHA-256 over its content and the previous row's hash.
QString rowHash(const Row& row);

} // namespace ChangeLog
} // namespace kessory
