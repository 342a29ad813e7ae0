// A save cut short at any moment (the process killed) leaves a sound file in which every voucher is whole or absent:
// among new vouchers, shortened ones, deleted and renumbered ones, and an account that comes and goes.
#include "tests/support/TestDb.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <sqlite3.h>

using kessory::test::TestDb;

namespace {

QString query(sqlite3* db, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    QString out;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW)
            out += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) + QLatin1Char(';');
    }
    sqlite3_finalize(st);
    return out;
}

} // namespace

TEST(KillDuringSave, EveryVoucherIsWholeOrAbsentAfterAnyKill)
{
    TestDb db(TestDb::Rows::None, false);
    {
        sqlite3* setUp = nullptr;
        ASSERT_EQ(sqlite3_open(db.dataFile().toUtf8().constData(), &setUp), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(setUp,
                               "INSERT INTO 财务科目 (科目编号,科目名称,级次,末级账) VALUES ('101','现金',1,1),"
                               "('102','银行存款',1,1)",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(setUp);
    }
    QRandomGenerator rng(20261207);
    int savesSeen = 0;
    for (int attempt = 0; attempt < 25; ++attempt) {
        QProcess child;
        child.start(QStringLiteral(KESSORY_BIN_DIR "/save_stress"), { db.folder() });
        ASSERT_TRUE(child.waitForStarted());
        // Let it get going, then kill it at a random moment (no chance to finish the statement it is in).
        child.waitForReadyRead(5000);
        QThread::usleep(rng.bounded(1000, 40000));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished();
        savesSeen += child.readAllStandardOutput().count('\n');

        sqlite3* check = nullptr;
        ASSERT_EQ(sqlite3_open_v2(db.dataFile().toUtf8().constData(), &check, SQLITE_OPEN_READWRITE, nullptr),
                  SQLITE_OK);
        EXPECT_EQ(query(check, "PRAGMA integrity_check"), "ok;") << "after kill " << attempt;
        // 附单据数 holds the number of lines the voucher was saved with.
        EXPECT_EQ(query(check,
                        "SELECT count(*) FROM 记账凭证 v WHERE v.凭证号码 > 0 AND v.附单据数 > 0 AND v.附单据数 <> "
                        "(SELECT count(*) FROM 记账凭证内容 l WHERE l.编号 = v.编号)"),
                  "0;")
            << "a voucher was left without all its lines after kill " << attempt;
        EXPECT_EQ(query(check,
                        "SELECT count(*) FROM 记账凭证内容 l WHERE NOT EXISTS (SELECT 1 FROM 记账凭证 v WHERE "
                        "v.编号 = l.编号)"),
                  "0;")
            << "lines without a header after kill " << attempt;
        EXPECT_EQ(query(check,
                        "SELECT count(*) FROM 记账凭证内容 l WHERE NOT EXISTS (SELECT 1 FROM 财务科目 a WHERE "
                        "a.科目编号 = l.科目编号)"),
                  "0;")
            << "lines on a deleted account after kill " << attempt;
        EXPECT_EQ(
            query(check, "SELECT count(*) FROM (SELECT 1 FROM 记账凭证 GROUP BY 凭证号码, 类别 HAVING count(*) > 1)"),
            "0;")
            << "a number taken twice after kill " << attempt;
        sqlite3_close(check);
    }
    EXPECT_GT(savesSeen, 25) << "the saves never got going";
}
