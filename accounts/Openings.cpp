#include "accounts/Openings.h"

#include "data/BookAccess.h"
#include "data/BookExtensions.h"
#include "data/BookSettings.h"
#include "data/ChangeLog.h"
#include "data/Connection.h"
#include "vouchers/PeriodClose.h"

namespace kessory::Openings {

qint64 balanceCents(Connection* connection, const QString& code)
{
    if (!connection || code.isEmpty() || !hasTable(*connection, "期初余额"))
        return 0;
    // Codes are digits only, so a prefix range finds the sub-accounts through the primary key.
    Statement st
        = connection->prepare(QStringLiteral("Select Sum(余额) From 期初余额 Where 科目编号 >= ? And 科目编号 < ?"));
    if (!st.valid())
        return 0;
    st.bind(1, code);
    st.bind(2, code + QStringLiteral(":"));
    if (st.step() != 1)
        return 0;
    return st.column(0).toLongLong();
}

std::map<QString, qint64> all(Connection* connection)
{
    std::map<QString, qint64> result;
    if (!connection || !hasTable(*connection, "期初余额"))
        return result;
    Statement st = connection->prepare(QStringLiteral("Select 科目编号, 余额 From 期初余额"));
    while (st.valid() && st.step() == 1)
        result[st.column(0).toString()] = st.column(1).toLongLong();
    return result;
}

} // namespace kessory::Openings

namespace kessory::Openings {

QList<Row> chartRows(Connection* connection)
{
    QList<Row> rows;
    if (!connection)
        return rows;
    Statement st = connection->prepare(
        QStringLiteral("Select 科目编号, 科目名称, 级次, 余额方向 From 财务科目 Order By 科目编号"));
    while (st.valid() && st.step() == 1) {
        Row row;
        row.code = st.column(0).toString().trimmed();
        row.name = st.column(1).toString();
        row.level = st.column(2).toInt();
        row.creditSide = st.column(3).toInt() != 0;
        // Codes in order: the nearest parent is the latest earlier row whose code starts this one.
        for (int p = static_cast<int>(rows.size()) - 1; p >= 0; --p) {
            if (row.code.startsWith(rows[p].code) && row.code != rows[p].code) {
                row.parent = p;
                rows[p].leaf = false;
                break;
            }
        }
        rows << row;
    }
    return rows;
}

qint64 sumUnder(const std::map<QString, qint64>& balances, const QString& code)
{
    qint64 sum = 0;
    for (auto it = balances.lower_bound(code); it != balances.end() && it->first.startsWith(code); ++it)
        sum += it->second;
    return sum;
}

TrialBalance trialBalance(const std::map<QString, qint64>& balances)
{
    TrialBalance t;
    for (const auto& [code, cents] : balances) {
        if (cents < 0)
            t.debit -= cents;
        else
            t.credit += cents;
    }
    return t;
}

bool write(Connection* connection, const std::map<QString, qint64>& leafBalances, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const QString readOnly = BookAccess::writeRefusal(connection);
    if (!readOnly.isEmpty())
        return fail(readOnly);
    if (!connection || !hasTable(*connection, "期初余额"))
        return fail(QStringLiteral("账簿缺少期初余额表，无法保存。"));
    Transaction tx(connection);
    if (!tx.active())
        return fail(QStringLiteral("期初余额保存失败：数据文件无法写入。"));
    // Checked inside the transaction, so a close by another copy cannot slip in between.
    const int closed = PeriodClose::lastClosedMonth(connection);
    if (closed > 0)
        return fail(QStringLiteral("%1年%2月已结账，期初余额不能再修改。如需修改，请先反结账至1月之前。")
                        .arg(BookSettings::bookYear(connection))
                        .arg(closed));
    std::map<QString, bool> leaves;
    for (const Row& row : chartRows(connection))
        leaves[row.code] = row.leaf;
    Statement put = connection->prepare(QStringLiteral("Insert Into 期初余额 (科目编号, 余额) Values (?, ?) "
                                                       "On Conflict (科目编号) Do Update Set 余额 = excluded.余额"));
    Statement drop = connection->prepare(QStringLiteral("Delete From 期初余额 Where 科目编号 = ?"));
    for (const auto& [code, cents] : leafBalances) {
        const auto found = leaves.find(code);
        if (found == leaves.end() || !found->second)
            return fail(QStringLiteral("科目 %1 不是末级科目，不能录入期初余额。").arg(code));
        Statement& st = cents == 0 ? drop : put;
        st.bind(1, code);
        if (cents != 0)
            st.bind(2, cents);
        if (!st.valid() || st.step() != 0)
            return fail(QStringLiteral("期初余额保存失败：数据文件无法写入。"));
        st.reset();
    }
    // The openings as stored now, as one digest.
    const QString digest
        = ChangeLog::rowsDigest(*connection, QStringLiteral("Select * From 期初余额 Order By 科目编号"));
    if (!ChangeLog::append(*connection, { QStringLiteral("修改"), ChangeLog::kOpenings, QString(), QString(), digest })
        || !tx.commit())
        return fail(QStringLiteral("期初余额保存失败：数据文件无法写入。"));
    return true;
}

} // namespace kessory::Openings
