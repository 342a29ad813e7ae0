// Three seats on one server book save, edit, void, audit and delete vouchers at random, and add and delete
// accounts they save on, for a bounded time. Afterwards no voucher is torn, duplicated or lost, and the change log
// holds one row for every write a seat was told was done, its chain whole.
#include "data/ChangeLog.h"
#include "data/Connection.h"
#include "data/basDBOperate.h"
#include "tests/support/TestDb.h"

#include <QHash>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using kessory::test::TestDb;

namespace {

QSet<qint64> idsOf(const QString& sql)
{
    QSet<qint64> ids;
    kessory::Statement st = basDBOperate::cnnDB->prepare(sql);
    while (st.valid() && st.step() == 1)
        ids.insert(st.column(0).toLongLong());
    return ids;
}

// What the seats were told: the writes done, by change-log action and voucher, and the refusals by kind.
struct Reports {
    QMap<std::pair<QString, qint64>, int> writes;
    QHash<QString, QSet<qint64>> byLetter; // S, V, A, D: the vouchers each was reported for
    QMap<QString, int> accountAdds;
    QMap<QString, int> accountDeletes;
    QMap<QString, int> refusals;
    QStringList faults;

    void read(const QByteArray& output, int seat)
    {
        static const QHash<QString, QString> actions {
            { "S", "保存" }, { "E", "保存" }, { "V", "作废" }, { "A", "审核" }, { "D", "删除" }
        };
        bool ended = false;
        for (const QByteArray& raw : output.split('\n')) {
            const QStringList f = QString::fromUtf8(raw).split(u' ');
            const QString& kind = f[0];
            if (kind == "END") {
                ended = true;
            } else if (kind == "AA" && f.size() == 2) {
                ++accountAdds[f[1]];
            } else if (kind == "AD" && f.size() == 2) {
                ++accountDeletes[f[1]];
            } else if (kind == "R" && f.size() == 3) {
                ++refusals[f[1] + u' ' + f[2]];
            } else if (actions.contains(kind) && f.size() >= 2) {
                const qint64 id = f[1].toLongLong();
                ++writes[{ actions[kind], id }];
                // A voucher is new, voided, audited and deleted at most once: a second report of one of these is a
                // write that overwrote another seat's.
                if (kind != "E" && byLetter[kind].contains(id))
                    faults << QStringLiteral("%1 reported twice for voucher %2").arg(kind).arg(id);
                byLetter[kind].insert(id);
            } else if (!raw.isEmpty()) {
                faults << QStringLiteral("seat %1: %2").arg(seat).arg(QString::fromUtf8(raw));
            }
        }
        if (!ended)
            faults << QStringLiteral("seat %1 did not finish").arg(seat);
    }
};

int count(const QMap<QString, int>& byCode)
{
    int n = 0;
    for (int v : byCode)
        n += v;
    return n;
}

int editCount(const Reports& reports)
{
    int saves = 0;
    for (auto it = reports.writes.cbegin(); it != reports.writes.cend(); ++it)
        saves += it.key().first == QStringLiteral("保存") ? it.value() : 0;
    return saves - static_cast<int>(reports.byLetter.value("S").size());
}

int secondsToRun()
{
    const int asked = qEnvironmentVariableIntValue("KESSORY_SEATS_SECONDS");
    return asked > 0 ? asked : 4;
}

} // namespace

TEST(SeveralSeats, RandomWritesOfThreeSeatsLoseTearAndDuplicateNothing)
{
    if (!kessory::test::onServer())
        GTEST_SKIP() << "server only: several programs writing one book at once is what the server store is for; "
                        "the file's own two-copies tests cover a shared book file";
    TestDb db;
    db.exec("INSERT INTO 财务科目 (科目编号,科目名称,级次,末级账) VALUES ('101','现金',1,1),('102','银行存款',1,1),"
            "('103','应收账款',1,1)");
    const int seconds = secondsToRun();
    std::vector<std::unique_ptr<QProcess>> seats;
    for (int seat = 1; seat <= 3; ++seat) {
        seats.push_back(std::make_unique<QProcess>());
        seats.back()->start(
            QStringLiteral(KESSORY_SEAT_STRESS),
            { db.folder(), QString::number(seat), QString::number(seconds * 1000), QString::number(20261207 + seat) });
        ASSERT_TRUE(seats.back()->waitForStarted());
    }
    Reports reports;
    for (std::size_t i = 0; i < seats.size(); ++i) {
        QProcess& p = *seats[i];
        ASSERT_TRUE(p.waitForFinished((seconds + 60) * 1000)) << "seat " << i + 1 << " hangs";
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        reports.read(p.readAllStandardOutput(), static_cast<int>(i) + 1);
    }
    EXPECT_TRUE(reports.faults.isEmpty()) << reports.faults.join(u'\n').toStdString();
    const auto& told = reports.byLetter;
    // Every kind of write got done, or the run proved little.
    for (const char* kind : { "S", "V", "A", "D" })
        EXPECT_FALSE(told.value(kind).isEmpty()) << "no " << kind << " was done";
    EXPECT_GT(reports.writes.size(), 50);
    QStringList refusals;
    for (auto it = reports.refusals.cbegin(); it != reports.refusals.cend(); ++it) {
        RecordProperty(it.key().toStdString(), it.value());
        refusals << QStringLiteral("%1=%2").arg(it.key()).arg(it.value());
    }
    std::printf("done: %d saves, %d edits, %d voids, %d audits, %d deletes, account %d added %d deleted\n"
                "refused: %s\n",
                static_cast<int>(told.value("S").size()), editCount(reports), static_cast<int>(told.value("V").size()),
                static_cast<int>(told.value("A").size()), static_cast<int>(told.value("D").size()),
                count(reports.accountAdds), count(reports.accountDeletes), refusals.join(u' ').toUtf8().constData());

    // Torn: a header without all its lines, lines without a header or on a missing account, a voucher that is not
    // balanced although every seat saved it balanced.
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证 v WHERE v.附单据数 <> (SELECT count(*) FROM 记账凭证内容 l "
                        "WHERE l.编号 = v.编号)"),
              "0");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证内容 l WHERE NOT EXISTS (SELECT 1 FROM 记账凭证 v WHERE "
                        "v.编号 = l.编号)"),
              "0");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证内容 l WHERE NOT EXISTS (SELECT 1 FROM 财务科目 a WHERE "
                        "a.科目编号 = l.科目编号)"),
              "0");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM (SELECT 编号 FROM 记账凭证内容 GROUP BY 编号 HAVING "
                        "sum(CASE WHEN 方向 THEN round(金额 * 100) ELSE -round(金额 * 100) END) <> 0) AS x"),
              "0");
    // Duplicated: a number twice in a category (ids reported twice are faults above).
    EXPECT_EQ(db.scalar("SELECT count(*) FROM (SELECT 1 FROM 记账凭证 GROUP BY 凭证号码, 类别 HAVING count(*) > 1) "
                        "AS x"),
              "0");
    // Lost: the book holds exactly the vouchers saved and not deleted, voided and audited as reported.
    const QSet<qint64> deleted = told.value("D");
    EXPECT_TRUE(deleted - told.value("S") == QSet<qint64>()) << "a voucher no seat saved was deleted";
    EXPECT_EQ(idsOf("Select 编号 From 记账凭证"), told.value("S") - deleted);
    EXPECT_EQ(idsOf("Select 编号 From 记账凭证 Where 已作废 = True"), told.value("V") - deleted);
    EXPECT_EQ(idsOf("Select 编号 From 记账凭证 Where 审核人 <> ''"), told.value("A") - deleted);

    // The change log: one row per reported write, no other voucher row, the chain whole and every voucher as its
    // last row left it.
    QMap<std::pair<QString, qint64>, int> logged;
    QMap<QString, int> accountAdds;
    QMap<QString, int> accountDeletes;
    int unexpected = 0;
    for (const kessory::ChangeLog::Row& row : kessory::ChangeLog::rows(*basDBOperate::cnnDB)) {
        if (row.kind == kessory::ChangeLog::kVoucher)
            ++logged[{ row.action, row.target.toLongLong() }];
        else if (row.kind == kessory::ChangeLog::kAccount && row.target.startsWith("1029") && row.action == "新增")
            ++accountAdds[row.target];
        else if (row.kind == kessory::ChangeLog::kAccount && row.target.startsWith("1029") && row.action == "删除")
            ++accountDeletes[row.target];
        else if (row.kind == kessory::ChangeLog::kAccount && row.target.startsWith("1029"))
            ++unexpected;
    }
    EXPECT_TRUE(logged == reports.writes)
        << logged.size() << " logged writes of vouchers against " << reports.writes.size() << " reported";
    EXPECT_TRUE(accountAdds == reports.accountAdds)
        << count(accountAdds) << " logged account adds against " << count(reports.accountAdds) << " reported";
    EXPECT_TRUE(accountDeletes == reports.accountDeletes)
        << count(accountDeletes) << " logged account deletes against " << count(reports.accountDeletes) << " reported";
    EXPECT_EQ(unexpected, 0);
    QStringList breaks;
    for (const auto& b : kessory::ChangeLog::verify(*basDBOperate::cnnDB))
        breaks << b.text;
    EXPECT_TRUE(breaks.isEmpty()) << breaks.join(u'\n').toStdString();
}
