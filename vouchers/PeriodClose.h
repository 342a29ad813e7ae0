#pragma once

#include <QString>
#include <QStringList>

namespace kessory {

class Connection;

// Closed months (结账) of the book's year. Months close in order from January and reopen from the latest; a voucher
// dated in a closed month can no longer be written.
namespace PeriodClose {

// The latest closed month, 0 when none is closed (or the book has no table for them).
int lastClosedMonth(Connection* connection);
// The month the next close takes: one after the latest closed, 13 when December is closed.
int firstOpenMonth(Connection* connection);

// Why a voucher dated dateText cannot be written: "2026年3月已结账…" when its month of the book's year is closed;
// empty when it may be written or the text is no date.
QString closedMessage(Connection* connection, const QString& dateText);
// Why a voucher cannot be written: the book is read-only, the stored voucher (id > 0) lies in a closed month, or
// its new date does. Empty when it may be written. Every voucher write checks this inside its transaction.
QString voucherRefusal(Connection* connection, qint32 storedId, const QString& newDate);

// What keeps a month from being closed: vouchers not audited, unbalanced vouchers, a trial balance that does not
// hold. Empty when nothing does.
QStringList closeBlockers(Connection* connection, int month);

struct Result {
    bool ok = false;
    QString message;
};
// Closes the first open month, or says (with every blocker listed) why it cannot.
Result closeNextMonth(Connection* connection);
// Reopens the latest closed month.
Result reopenLastMonth(Connection* connection);

} // namespace PeriodClose
} // namespace kessory
