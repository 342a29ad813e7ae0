#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace kessory {

class Connection;

// The people who work in the book (table 操作员), who is working now, and what each role may do. With no operator
// defined the program works as a single user: every command is open and the names written are the program's own.
namespace Operators {

enum class Role { Manager, Accountant, Cashier }; // 主管, 会计, 出纳

QString roleName(Role role);
std::optional<Role> roleFromName(const QString& name);

struct Operator {
    QString name;
    Role role = Role::Accountant;
    bool disabled = false;
};

// Every operator, by name; empty when none is defined or the table is missing.
QList<Operator> all(Connection* connection);
std::optional<Operator> find(Connection* connection, const QString& name);
// Whether the book defines any operator (the program then asks for a login).
bool anyDefined(Connection* connection);

// Adds an operator; its message when refused (empty name, taken name, short password, a first operator that is not
// a 主管, a write the file refused), empty on success. The change is logged in the same transaction.
QString add(Connection* connection, const QString& name, Role role, const QString& password);
// Changes the role and the disabled flag and, when password is not empty, the password; the same refusals, and the
// last active 主管 can be neither demoted nor disabled.
QString change(Connection* connection, const QString& name, Role role, bool disabled, const QString& password);

// The salted hash stored for a password, and its check.
QString hashPassword(const QString& password);
bool checkPassword(const QString& hash, const QString& password);

enum class LoginResult { Ok, Wrong, Disabled };
// Checks a name and password against the book; on Ok the operator becomes the current one.
LoginResult login(Connection* connection, const QString& name, const QString& password);

// The operator at work; none without operators (and in tests until set).
std::optional<Operator> current();
void setCurrent(const std::optional<Operator>& op);

// The names written into a voucher: 制单人 of a new voucher (empty without an operator), 记账人 of a save ("USER"
// without one) and 审核人 of an audit ("ADMIN" without one). The log names the operator the same way as 记账人.
QString makerName();
QString keeperName();
QString auditorName();

// What a role may do. Every check passes when no operator is at work.
enum class Action { AuditVoucher, CloseMonths, ChangeChart, ManageOperators, RestoreBook };
// The refusal message of an action for the current operator; empty when allowed.
QString refusal(Action action);
inline bool canAudit()
{
    return refusal(Action::AuditVoucher).isEmpty();
}
inline bool canCloseMonths()
{
    return refusal(Action::CloseMonths).isEmpty();
}
inline bool canChangeChart()
{
    return refusal(Action::ChangeChart).isEmpty();
}

// The maker-checker rule: the refusal when the current operator may not audit a voucher made by maker; empty when
// allowed.
QString auditRefusal(const QString& maker);

} // namespace Operators
} // namespace kessory
