// 年结 of a book on a server: the closed year kept as a book file, the server book turned into the next year.
#include "accounts/Openings.h"
#include "data/BookSettings.h"
#include "data/ChangeLog.h"
#include "data/Connection.h"
#include "data/basDBOperate.h"
#include "shell/YearEnd.h"
#include "tests/support/TestDb.h"
#include "vouchers/PeriodClose.h"

#include <QFileInfo>
#include <QSysInfo>
#include <gtest/gtest.h>

using namespace kessory;
using kessory::test::TestDb;

TEST(YearEndOnServer, KeepsTheClosedYearAsAFileAndTurnsTheServerBookIntoTheNextYear)
{
    if (!test::onServer())
        GTEST_SKIP() << "server only: the year end of a book file is tested with the book file's own copy";
    TestDb book;
    Connection* c = basDBOperate::cnnDB.get();
    ASSERT_TRUE(BookSettings::setValue(c, QStringLiteral("会计年度"), QStringLiteral("2026")));
    // A balance-sheet voucher of the year (an asset bought with cash), so that December closes with balances left.
    book.exec(QStringLiteral("INSERT INTO 财务科目 (科目编号, 科目名称, 科目类别) VALUES ('101', '现金', '资产'), "
                             "('161', '固定资产', '资产');"
                             "INSERT INTO 记账凭证 (编号, 类别, 凭证号码, 记账日期, 月份, 审核人) VALUES (7, '记', 1, "
                             "'2026-05-10', 5, 'ADMIN');"
                             "INSERT INTO 记账凭证内容 (编号, 记录号, 摘要, 科目编号, 方向, 金额) VALUES"
                             " (7, 1, '购置', '161', False, 1234.56), (7, 2, '购置', '101', True, 1234.56)"));
    for (int m = 1; m <= 12; ++m)
        ASSERT_TRUE(PeriodClose::closeNextMonth(c).ok) << m;
    const std::map<QString, qint64> carried = YearEnd::carriedOpenings(c);

    // Not while another seat writes.
    std::unique_ptr<Connection> other = Connection::openServer(basDBOperate::bookLocation.server);
    ASSERT_TRUE(other);
    {
        Transaction saving(other.get());
        ASSERT_TRUE(saving.active());
        const YearEnd::Result refused = YearEnd::run();
        EXPECT_FALSE(refused.ok);
        EXPECT_TRUE(refused.message.startsWith(QStringLiteral("另一工位（Kessory "))) << refused.message.toStdString();
        EXPECT_TRUE(refused.message.endsWith(QStringLiteral("正在写入账簿，请稍后再年结。")));
    }
    EXPECT_FALSE(QFileInfo::exists(book.folder() + QStringLiteral("/DATA/2026.DAT")));

    const YearEnd::Result result = YearEnd::run();
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    c = basDBOperate::cnnDB.get();
    ASSERT_EQ(c->engine(), Engine::Postgres);
    EXPECT_EQ(BookSettings::bookYear(c), 2027);
    EXPECT_EQ(book.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")), QStringLiteral("0"));
    EXPECT_EQ(PeriodClose::lastClosedMonth(c), 0);
    EXPECT_EQ(Openings::all(c), carried);
    EXPECT_EQ(carried.at(QStringLiteral("161")), -123456);
    // The new year's log starts with the chart and the year end, and verifies whole; voucher ids start at 1 again.
    EXPECT_EQ(ChangeLog::rows(*c).last().action, QStringLiteral("年结"));
    EXPECT_TRUE(ChangeLog::verify(*c).isEmpty());
    book.exec(
        QStringLiteral("INSERT INTO 记账凭证 (类别, 凭证号码, 记账日期, 月份) VALUES ('记', 1, '2027-01-05', 1)"));
    EXPECT_EQ(book.scalar(QStringLiteral("SELECT max(编号) FROM 记账凭证")), QStringLiteral("1"));
    book.exec(QStringLiteral("DELETE FROM 记账凭证"));

    // The closed year is a book file beside the program, opened read-only; the server book comes back after it.
    EXPECT_EQ(YearEnd::keptYears(), QList<int> { 2026 });
    ASSERT_TRUE(YearEnd::openPastYear(2026).ok);
    EXPECT_EQ(basDBOperate::cnnDB->engine(), Engine::Sqlite);
    EXPECT_EQ(book.scalar(QStringLiteral("SELECT Sum(金额) FROM 记账凭证内容")), QStringLiteral("2469.12"));
    EXPECT_EQ(PeriodClose::lastClosedMonth(basDBOperate::cnnDB.get()), 12);
    ASSERT_TRUE(YearEnd::returnToCurrentYear().ok);
    EXPECT_EQ(basDBOperate::cnnDB->engine(), Engine::Postgres);
    EXPECT_EQ(BookSettings::bookYear(basDBOperate::cnnDB.get()), 2027);
}
