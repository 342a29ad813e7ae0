#pragma once

#include <QByteArray>
#include <QString>

namespace kessory {

class Connection;

// The seats (copies of the program) that share a server book, as they show to each other: every server connection
// carries its seat's name as its application_name, so that a write that must not wait can say which seat holds the
// book. On a book file there are no other seats to name.
namespace Seats {

// This copy of the program: "Kessory 王会计@pc2", the operator at work (the machine's user before anyone logs in) and
// the machine's name.
QString seatName();
// Who works at this seat from now on; empty for the machine's user.
void setOperator(const QString& name);

// The application_name of a seat. A server keeps only printable ASCII there, so the operator and machine names go
// percent-encoded ("Kessory %E7%8E%8B...@pc2"); it fits the server's 63 bytes.
QByteArray applicationName(const QString& seat);
// The seat an application_name names, decoded; the text itself when it is not one of this program's.
QString seatOfApplicationName(const QString& applicationName);

// Tells the server the connection's seat as it is now (after a login). True on a book file.
bool announce(Connection& connection);

// The seat that holds the server book's writer lock now (another connection's write transaction); empty when none
// does, and always on a book file.
QString writer(Connection& connection);
// Why a write that does not wait for other seats is refused: "另一工位（Kessory
// 张出纳@pc2）正在写入账簿，请稍后再结账。" (again is the command: 结账, 反结账, 年结).
QString busyMessage(Connection& connection, const QString& again);

} // namespace Seats
} // namespace kessory
