// The later features' tables: added to a writable book that lacks them, never to a read-only one; settings and
// openings read through them.
#include "accounts/Openings.h"
#include "data/BookExtensions.h"
#include "data/BookSettings.h"
#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "tests/support/FaultyVfs.h"
#include "tests/support/TestDb.h"

#include <gtest/gtest.h>

using kessory::test::TestDb;

TEST(ExtensionTables, AWritableBookGainsThemAndAReadOnlyOneIsLeftAlone)
{
    KESSORY_FILE_ONLY("opens the book file read-only through SQLite's file layer");
    using kessory::test::FaultyVfs;
    TestDb db(TestDb::Rows::Sample, false);
    FaultyVfs vfs;
    FaultyVfs::setFault(FaultyVfs::Fault::ReadOnlyFile);
    db.open();
    EXPECT_FALSE(kessory::hasTable(*basDBOperate::cnnDB, "账套设置"));
    // Without the tables the settings fall back: the year of the latest voucher date.
    EXPECT_EQ(kessory::BookSettings::bookYear(basDBOperate::cnnDB.get()), 2026);
    EXPECT_EQ(kessory::Openings::balanceCents(basDBOperate::cnnDB.get(), "101"), 0);

    FaultyVfs::setFault(FaultyVfs::Fault::None);
    db.open();
    EXPECT_TRUE(kessory::hasTable(*basDBOperate::cnnDB, "账套设置"));
    EXPECT_TRUE(kessory::hasTable(*basDBOperate::cnnDB, "期初余额"));
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证"), "42");
}

TEST(ExtensionTables, SettingsAndOpeningsReadBack)
{
    TestDb db(TestDb::Rows::None);
    auto* c = basDBOperate::cnnDB.get();
    kessory::Clock::setNow(QDateTime(QDate(2031, 5, 1), QTime(9, 0)));
    EXPECT_EQ(kessory::BookSettings::bookYear(c), 2031);
    kessory::Clock::reset();
    ASSERT_TRUE(kessory::BookSettings::setValue(c, "会计年度", "2027"));
    EXPECT_EQ(kessory::BookSettings::bookYear(c), 2027);
    db.exec("INSERT INTO 期初余额 VALUES ('10201', -150), ('10202', -50), ('102', 0), ('2', 9)");
    // An account's opening takes in its sub-accounts.
    EXPECT_EQ(kessory::Openings::balanceCents(c, "102"), -200);
    EXPECT_EQ(kessory::Openings::balanceCents(c, "10201"), -150);
    EXPECT_EQ(kessory::Openings::all(c).size(), 4u);
}
