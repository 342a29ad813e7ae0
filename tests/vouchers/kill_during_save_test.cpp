// A save cut short at any moment (the process killed) leaves a sound book, a file or a server's, in which every
// voucher is whole or absent: among new vouchers, shortened ones, deleted and renumbered ones, and an account that
// comes and goes.
#include "data/basDBOperate.h"
#include "tests/support/TestDb.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

using kessory::test::TestDb;

TEST(KillDuringSave, EveryVoucherIsWholeOrAbsentAfterAnyKill)
{
    TestDb db;
    db.exec("INSERT INTO 财务科目 (科目编号,科目名称,级次,末级账) VALUES ('101','现金',1,1),('102','银行存款',1,1)");
    QRandomGenerator rng(20261207);
    int savesSeen = 0;
    for (int attempt = 0; attempt < 25; ++attempt) {
        // This copy is closed while the other one saves: what it finds afterwards is what the next start finds.
        basDBOperate::RecordsetPtr rs;
        basDBOperate::funCloseDB(rs);
        QProcess child;
        child.start(QStringLiteral(KESSORY_BIN_DIR "/save_stress"), { db.folder() });
        ASSERT_TRUE(child.waitForStarted());
        // Let it get going, then kill it at a random moment (no chance to finish the statement it is in).
        child.waitForReadyRead(5000);
        QThread::usleep(rng.bounded(1000, 40000));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished();
        savesSeen += child.readAllStandardOutput().count('\n');

        db.open();
        if (!kessory::test::onServer()) {
            EXPECT_EQ(db.scalar("PRAGMA integrity_check"), "ok") << "after kill " << attempt;
        }
        // 附单据数 holds the number of lines the voucher was saved with.
        EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证 v WHERE v.凭证号码 > 0 AND v.附单据数 > 0 AND v.附单据数 <> "
                            "(SELECT count(*) FROM 记账凭证内容 l WHERE l.编号 = v.编号)"),
                  "0")
            << "a voucher was left without all its lines after kill " << attempt;
        EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证内容 l WHERE NOT EXISTS (SELECT 1 FROM 记账凭证 v WHERE "
                            "v.编号 = l.编号)"),
                  "0")
            << "lines without a header after kill " << attempt;
        EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证内容 l WHERE NOT EXISTS (SELECT 1 FROM 财务科目 a WHERE "
                            "a.科目编号 = l.科目编号)"),
                  "0")
            << "lines on a deleted account after kill " << attempt;
        EXPECT_EQ(db.scalar("SELECT count(*) FROM (SELECT 1 FROM 记账凭证 GROUP BY 凭证号码, 类别 HAVING count(*) > 1) "
                            "AS twice"),
                  "0")
            << "a number taken twice after kill " << attempt;
    }
    EXPECT_GT(savesSeen, 25) << "the saves never got going";
}
