// Two copies of the program on one file: both save new vouchers at the same time. Neither loses a voucher to the
// other, the file stays sound, and each sees the other's saved vouchers at its next reload.
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "shell/Msg.h"
#include "tests/support/TestDb.h"
#include "vouchers/VoucherStore.h"

#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

using kessory::VoucherStore;
using kessory::test::TestDb;

TEST(TwoCopies, BothSaveNewVouchersAndNeitherLosesOne)
{
    kessory::Clock::setNow(QDateTime(QDate(2026, 6, 1), QTime(9, 0)));
    TestDb db;
    QProcess first;
    first.start(QStringLiteral(KESSORY_BIN_DIR "/save_stress"), { db.folder(), "--new-only" });
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(first.waitForReadyRead(5000));

    // This copy takes the next number as 新增 does, then saves a moment later, as a user would: meanwhile the other
    // copy has usually saved a voucher under that very number.
    int mine = 0;
    for (int i = 0; i < 40; ++i) {
        VoucherStore store;
        store.funClearBuffer();
        store.header.凭证号码 = static_cast<qint16>(VoucherStore::funNextVoucherNo("记"));
        store.header.类别 = "记";
        store.header.记账日期 = kessory::Clock::generalDate();
        store.header.附单据数 = 2;
        for (int k = 0; k < 2; ++k) {
            auto& line = store.arrLines[static_cast<std::size_t>(k)];
            line.摘要 = QStringLiteral("第二个程序 %1").arg(i);
            line.科目代码 = "101";
            line.科目名称 = "现金";
            line.金额 = 7;
            line.方向 = k == 1;
        }
        QThread::msleep(3);
        if (store.funSaveVoucher(true))
            ++mine;
    }
    first.kill();
    first.waitForFinished();
    const int theirs = static_cast<int>(first.readAllStandardOutput().count('\n'));
    ASSERT_GT(theirs, 0);

    EXPECT_EQ(db.scalar("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(mine, 40) << "a save was refused while the other copy wrote";
    // Every voucher of this copy is still there with both its lines, and none was taken over by the other copy.
    EXPECT_EQ(db.scalar("SELECT count(DISTINCT 编号) FROM 记账凭证内容 WHERE 摘要 LIKE '第二个程序 %'").toInt(), mine);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证内容 WHERE 摘要 LIKE '第二个程序 %'").toInt(), 2 * mine);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证 v WHERE v.附单据数 <> (SELECT count(*) FROM 记账凭证内容 l "
                        "WHERE l.编号 = v.编号)"),
              "0");
    // No two vouchers share a number within a category.
    EXPECT_EQ(
        db.scalar("SELECT count(*) FROM (SELECT 凭证号码 FROM 记账凭证 GROUP BY 凭证号码, 类别 HAVING count(*) > 1)"),
        "0");
    // This copy's next reload sees every voucher the other one reported saved.
    ASSERT_TRUE(basDBOperate::funOpenRecordset("Select * From 记账凭证 Where 凭证号码 > 0 Order By 编号 "));
    EXPECT_GE(basDBOperate::rsShared->recordCount(), mine + theirs);
}
