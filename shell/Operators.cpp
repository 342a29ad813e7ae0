#include "shell/Operators.h"

#include "data/BookExtensions.h"
#include "data/ChangeLog.h"
#include "data/Connection.h"
#include "data/Seats.h"
#include "data/basDBOperate.h"

#include <QCryptographicHash>
#include <sodium.h>

namespace kessory::Operators {
namespace {

std::optional<Operator>& session()
{
    static std::optional<Operator> op;
    return op;
}

const char* const kTable = "操作员";
constexpr int kMinPassword = 4;
constexpr int kMaxName = 20;

bool ready()
{
    static const bool ok = sodium_init() >= 0;
    return ok;
}

// The digest of an operator's row as stored: the log keeps it like a voucher's.
QString rowDigest(Connection& connection, const QString& name)
{
    Statement st = connection.prepare(QStringLiteral("Select 姓名, 角色, 口令, 停用 From 操作员 Where 姓名 = ?"));
    if (!st.valid())
        return {};
    st.bind(1, name);
    if (st.step() != 1)
        return {};
    QByteArray text;
    for (int i = 0; i < 4; ++i)
        text += st.column(i).toString().toUtf8() + '\x1f';
    return QString::fromLatin1(QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex());
}

int activeManagers(Connection& connection, const QString& except)
{
    Statement st
        = connection.prepare(QStringLiteral("Select Count(*) From 操作员 Where 角色 = ? And Not 停用 And 姓名 <> ?"));
    if (!st.valid())
        return 0;
    st.bind(1, roleName(Role::Manager));
    st.bind(2, except);
    return st.step() == 1 ? st.column(0).toInt() : 0;
}

QString checkPasswordText(const QString& password)
{
    if (password.size() < kMinPassword)
        return QStringLiteral("口令至少 %1 位。").arg(kMinPassword);
    if (password.contains(QChar(0)))
        return QStringLiteral("口令不能含有空字符。");
    return {};
}

} // namespace

QString roleName(Role role)
{
    switch (role) {
    case Role::Manager:
        return QStringLiteral("主管");
    case Role::Accountant:
        return QStringLiteral("会计");
    case Role::Cashier:
        return QStringLiteral("出纳");
    }
    return {};
}

std::optional<Role> roleFromName(const QString& name)
{
    for (Role r : { Role::Manager, Role::Accountant, Role::Cashier }) {
        if (roleName(r) == name.trimmed())
            return r;
    }
    return std::nullopt;
}

QList<Operator> all(Connection* connection)
{
    QList<Operator> out;
    if (!connection || !hasTable(*connection, kTable))
        return out;
    Statement st = connection->prepare(QStringLiteral("Select 姓名, 角色, 停用 From 操作员 Order By 姓名"));
    while (st.valid() && st.step() == 1) {
        Operator op;
        op.name = st.column(0).toString();
        // A role the program does not know gives the least rights.
        op.role = roleFromName(st.column(1).toString()).value_or(Role::Cashier);
        op.disabled = st.column(2).toLongLong() != 0;
        out << op;
    }
    return out;
}

std::optional<Operator> find(Connection* connection, const QString& name)
{
    for (const Operator& op : all(connection)) {
        if (op.name == name)
            return op;
    }
    return std::nullopt;
}

bool anyDefined(Connection* connection)
{
    if (!connection || !hasTable(*connection, kTable))
        return false;
    Statement st = connection->prepare(QStringLiteral("Select 1 From 操作员 Limit 1"));
    return st.valid() && st.step() == 1;
}

QString hashPassword(const QString& password)
{
    if (!ready())
        return {};
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != 0)
        return {};
    return QString::fromLatin1(out);
}

bool checkPassword(const QString& hash, const QString& password)
{
    if (!ready() || hash.isEmpty())
        return false;
    const QByteArray stored = hash.toLatin1();
    const QByteArray utf8 = password.toUtf8();
    return crypto_pwhash_str_verify(stored.constData(), utf8.constData(), static_cast<unsigned long long>(utf8.size()))
        == 0;
}

QString add(Connection* connection, const QString& nameText, Role role, const QString& password)
{
    const QString name = nameText.trimmed();
    if (!connection || !hasTable(*connection, kTable))
        return QStringLiteral("账簿中没有操作员表，无法添加操作员。");
    if (name.isEmpty())
        return QStringLiteral("操作员姓名不能为空。");
    if (name.size() > kMaxName || name.contains(QChar(0)))
        return QStringLiteral("操作员姓名不能超过 %1 个字。").arg(kMaxName);
    if (const QString bad = checkPasswordText(password); !bad.isEmpty())
        return bad;
    const QString failed = QStringLiteral("操作员保存失败。");
    Transaction tx(connection);
    if (!tx.active())
        return failed;
    // The checks run inside the write: another copy of the program may have added someone meanwhile.
    if (!anyDefined(connection) && role != Role::Manager)
        return QStringLiteral("第一个操作员必须是主管。");
    {
        Statement st = connection->prepare(QStringLiteral("Select 1 From 操作员 Where 姓名 = ?"));
        st.bind(1, name);
        if (st.step() == 1)
            return QStringLiteral("操作员“%1”已存在。").arg(name);
    }
    const QString hash = hashPassword(password);
    if (hash.isEmpty())
        return failed;
    Statement st
        = connection->prepare(QStringLiteral("Insert Into 操作员 (姓名, 角色, 口令, 停用) Values (?, ?, ?, 0)"));
    st.bind(1, name);
    st.bind(2, roleName(role));
    st.bind(3, hash);
    if (st.step() != 0)
        return failed;
    st.release();
    if (!ChangeLog::append(
            *connection,
            { QStringLiteral("新增"), ChangeLog::kOperator, name, roleName(role), rowDigest(*connection, name) })
        || !tx.commit())
        return failed;
    return {};
}

QString change(Connection* connection, const QString& name, Role role, bool disabled, const QString& password)
{
    if (!connection || !hasTable(*connection, kTable))
        return QStringLiteral("账簿中没有操作员表。");
    if (!password.isEmpty()) {
        if (const QString bad = checkPasswordText(password); !bad.isEmpty())
            return bad;
    }
    const QString failed = QStringLiteral("操作员保存失败。");
    Transaction tx(connection);
    if (!tx.active())
        return failed;
    if (!find(connection, name))
        return QStringLiteral("操作员“%1”不存在。").arg(name);
    if ((role != Role::Manager || disabled) && activeManagers(*connection, name) == 0)
        return QStringLiteral("至少要保留一个未停用的主管。");
    Statement st = connection->prepare(QStringLiteral("Update 操作员 Set 角色 = ?, 停用 = ? Where 姓名 = ?"));
    st.bind(1, roleName(role));
    st.bind(2, disabled ? 1 : 0);
    st.bind(3, name);
    if (st.step() != 0)
        return failed;
    st.release();
    if (!password.isEmpty()) {
        const QString hash = hashPassword(password);
        Statement pw = connection->prepare(QStringLiteral("Update 操作员 Set 口令 = ? Where 姓名 = ?"));
        pw.bind(1, hash);
        pw.bind(2, name);
        if (hash.isEmpty() || pw.step() != 0)
            return failed;
    }
    QString what = roleName(role);
    if (disabled)
        what += QStringLiteral("，停用");
    if (!password.isEmpty())
        what += QStringLiteral("，改口令");
    if (!ChangeLog::append(*connection,
                           { QStringLiteral("修改"), ChangeLog::kOperator, name, what, rowDigest(*connection, name) })
        || !tx.commit())
        return failed;
    // The operator at work sees a change of their own role at once.
    if (session() && session()->name == name)
        session() = Operator { name, role, disabled };
    return {};
}

LoginResult login(Connection* connection, const QString& name, const QString& password)
{
    if (!connection || !hasTable(*connection, kTable))
        return LoginResult::Wrong;
    Statement st = connection->prepare(QStringLiteral("Select 角色, 口令, 停用 From 操作员 Where 姓名 = ?"));
    if (!st.valid())
        return LoginResult::Wrong;
    st.bind(1, name.trimmed());
    if (st.step() != 1)
        return LoginResult::Wrong;
    const QString role = st.column(0).toString();
    const QString hash = st.column(1).toString();
    const bool disabled = st.column(2).toLongLong() != 0;
    st.release();
    if (!checkPassword(hash, password))
        return LoginResult::Wrong;
    if (disabled)
        return LoginResult::Disabled;
    session() = Operator { name.trimmed(), roleFromName(role).value_or(Role::Cashier), false };
    return LoginResult::Ok;
}

std::optional<Operator> current()
{
    return session();
}

void setCurrent(const std::optional<Operator>& op)
{
    session() = op;
    // Other seats of a server book name this one by who is at work.
    Seats::setOperator(op ? op->name : QString());
    if (basDBOperate::cnnDB)
        Seats::announce(*basDBOperate::cnnDB);
}

QString makerName()
{
    return session() ? session()->name : QString();
}

QString keeperName()
{
    return session() ? session()->name : QStringLiteral("USER");
}

QString auditorName()
{
    return session() ? session()->name : QStringLiteral("ADMIN");
}

QString refusal(Action action)
{
    if (!session())
        return {};
    const Role role = session()->role;
    switch (action) {
    case Action::AuditVoucher:
        return role == Role::Cashier ? QStringLiteral("出纳不能审核凭证。") : QString();
    case Action::CloseMonths:
        return role == Role::Cashier ? QStringLiteral("出纳不能结账或反结账。") : QString();
    case Action::ChangeChart:
        return role == Role::Cashier ? QStringLiteral("出纳不能修改会计科目。") : QString();
    case Action::ManageOperators:
        return role == Role::Manager ? QString() : QStringLiteral("只有主管可以管理操作员。");
    case Action::RestoreBook:
        return role == Role::Manager ? QString() : QStringLiteral("只有主管可以恢复账簿。");
    }
    return {};
}

QString auditRefusal(const QString& maker)
{
    if (const QString why = refusal(Action::AuditVoucher); !why.isEmpty())
        return why;
    if (session() && !maker.trimmed().isEmpty() && maker.trimmed() == session()->name)
        return QStringLiteral("制单人与审核人不能为同一人。");
    return {};
}

} // namespace kessory::Operators
