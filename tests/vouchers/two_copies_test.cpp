// Two copies of the program on one book (a file, or on a server run the same server book): both save new vouchers at
// the same time. Neither loses a voucher to the other, the book stays sound, and each sees the other's saved vouchers
// at its next reload.
#include "accounts/AccountWrite.h"
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
    db.exec("INSERT INTO 财务科目 (科目编号,科目名称,级次,末级账) VALUES ('101','现金',1,1)");
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
        if (store.saveVoucher())
            ++mine;
    }
    first.kill();
    first.waitForFinished();
    const int theirs = static_cast<int>(first.readAllStandardOutput().count('\n'));
    ASSERT_GT(theirs, 0);

    if (!kessory::test::onServer()) {
        EXPECT_EQ(db.scalar("PRAGMA integrity_check"), "ok");
    }
    EXPECT_EQ(mine, 40) << "a save was refused while the other copy wrote";
    // Every voucher of this copy is still there with both its lines, and none was taken over by the other copy.
    EXPECT_EQ(db.scalar("SELECT count(DISTINCT 编号) FROM 记账凭证内容 WHERE 摘要 LIKE '第二个程序 %'").toInt(), mine);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证内容 WHERE 摘要 LIKE '第二个程序 %'").toInt(), 2 * mine);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证 v WHERE v.附单据数 <> (SELECT count(*) FROM 记账凭证内容 l "
                        "WHERE l.编号 = v.编号)"),
              "0");
    // No two vouchers share a number within a category.
    EXPECT_EQ(db.scalar("SELECT count(*) FROM (SELECT 凭证号码 FROM 记账凭证 GROUP BY 凭证号码, 类别 HAVING count(*) > "
                        "1) AS twice"),
              "0");
    // This copy's next reload sees every voucher the other one reported saved.
    ASSERT_TRUE(basDBOperate::funOpenRecordset("Select * From 记账凭证 Where 凭证号码 > 0 Order By 编号 "));
    EXPECT_GE(basDBOperate::rsShared->recordCount(), mine + theirs);
}

TEST(TwoCopies, DeletesRenumbersAndAccountDeletesOfTheOtherCopyLoseNothing)
{
    kessory::Clock::setNow(QDateTime(QDate(2026, 6, 1), QTime(9, 0)));
    TestDb db(TestDb::Rows::Sample);
    QProcess other;
    other.start(QStringLiteral(KESSORY_BIN_DIR "/save_stress"), { db.folder(), "--churn" });
    ASSERT_TRUE(other.waitForStarted());

    // This copy keeps adding and deleting the account the other copy saves vouchers on, and edits the latest voucher
    // a moment after showing it, while the other copy edits and deletes that same latest voucher and reuses its
    // number.
    const QString mark = QStringLiteral("这个程序改的");
    int edited = 0;
    int refused = 0;
    for (int i = 0; i < 60; ++i) {
        if (i % 2 == 0) {
            const auto check = kessory::accounts::checkDelete("10299");
            if (check.result == kessory::accounts::DeleteResult::Answered)
                kessory::accounts::deleteAccount("10299");
            if (check.result == kessory::accounts::DeleteResult::NoAccount) {
                kessory::accounts::AccountInput in;
                in.code = "10299";
                in.name = "压力测试户";
                kessory::accounts::addAccount(in);
            }
            continue;
        }
        const QString latest = db.scalar("SELECT max(编号) FROM 记账凭证");
        VoucherStore mine;
        if (!mine.loadStored(latest.toInt()) || mine.intLineCount == 0)
            continue;
        QThread::msleep(10);
        mine.arrLines[0].摘要 = mark;
        mine.header.月份 = 0;
        if (const kessory::VoucherWrite write = mine.saveVoucher()) {
            ++edited;
        } else {
            ++refused;
            const QString said = write.message;
            EXPECT_TRUE(said == VoucherStore::changedElsewhereMessage() || said == "保存凭证失败。")
                << said.toStdString();
        }
    }
    other.kill();
    other.waitForFinished();
    ASSERT_GT(other.readAllStandardOutput().count('\n'), 0);
    EXPECT_GT(edited + refused, 0);
    RecordProperty("edited", edited);
    RecordProperty("refused", refused);

    if (!kessory::test::onServer()) {
        EXPECT_EQ(db.scalar("PRAGMA integrity_check"), "ok");
    }
    // No line lost its account, no line lost its header, and an edit never landed on a voucher it was not made on:
    // every voucher this copy edited still has the other copy's line count in 附单据数.
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证内容 l WHERE NOT EXISTS (SELECT 1 FROM 财务科目 a WHERE "
                        "a.科目编号 = l.科目编号)"),
              "0");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证内容 l WHERE NOT EXISTS (SELECT 1 FROM 记账凭证 v WHERE "
                        "v.编号 = l.编号)"),
              "0");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证 v WHERE v.记账日期 = '2026-05-06 10:00:00' AND v.附单据数 <> "
                        "(SELECT count(*) FROM 记账凭证内容 l WHERE l.编号 = v.编号)"),
              "0");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM (SELECT 凭证号码 FROM 记账凭证 GROUP BY 凭证号码, 类别 HAVING count(*) > "
                        "1) AS twice"),
              "0");
}
