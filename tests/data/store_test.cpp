// The data store: locating the file, the shared recordsets, the recordset cursor and appends.
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "shell/basSysFunction.h"
#include "tests/support/TestDb.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace basDBOperate;
using kessory::test::TestDb;

TEST(CheckDBFile, FindsTheFileUnderTheProgramFolderWithoutDoubledSeparators)
{
    TestDb db(TestDb::Rows::None, false);
    EXPECT_TRUE(locateDBFile(db.folder() + "/"));
    EXPECT_EQ(strDBPath, db.folder() + "/DATA/DATA.DAT");
    EXPECT_FALSE(strDBPath.contains("//"));
    EXPECT_TRUE(kessory::Msg::shown().isEmpty());
}

// The main window says that the file is missing and ends the program; the store only finds that it is.
TEST(CheckDBFile, MissingFileOrAFolderInItsPlaceIsNotFound)
{
    TestDb db(TestDb::Rows::None, false);
    QTemporaryDir empty;
    const int exits = basSysFunction::exitCount();
    EXPECT_FALSE(locateDBFile(empty.path()));
    ASSERT_TRUE(QDir().mkpath(empty.path() + "/DATA/DATA.DAT"));
    EXPECT_FALSE(locateDBFile(empty.path()));
    EXPECT_TRUE(kessory::Msg::shown().isEmpty());
    EXPECT_EQ(basSysFunction::exitCount(), exits);
}

TEST(OpenDB, RefusesAFileThatHoldsNoBooks)
{
    TestDb db(TestDb::Rows::None, false);
    QTemporaryDir other;
    QDir().mkpath(other.path() + "/DATA");
    {
        QFile f(other.path() + "/DATA/DATA.DAT");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("this is not a database at all, just some text that happens to sit here");
    }
    ASSERT_TRUE(locateDBFile(other.path()));
    RecordsetPtr rs;
    EXPECT_FALSE(funOpenDB(rs));
    // A database without the eight tables is refused too.
    QFile::remove(other.path() + "/DATA/DATA.DAT");
    ASSERT_TRUE(kessory::test::makeDatabase(other.path() + "/DATA/DATA.DAT", false));
    ASSERT_TRUE(funOpenDB(rs));
    cnnDB->exec("DROP TABLE 部门分类");
    EXPECT_FALSE(funOpenDB(rs));
}

TEST(SharedRecordsets, EmptyReferencesBindTheSharedRecordsetAndLaterQueriesReplaceIt)
{
    TestDb db;
    db.exec("INSERT INTO 财务科目 (科目编号,科目名称) VALUES ('101','现金'),('102','银行存款')");
    RecordsetPtr a;
    RecordsetPtr b;
    ASSERT_TRUE(funOpenRecordset("Select * From 财务科目 Order By 科目编号", a));
    EXPECT_EQ(a, rsShared);
    a->moveNext();
    EXPECT_EQ(a->text("科目编号"), "102");
    ASSERT_TRUE(funOpenRecordset("Select * From 财务科目 Where 科目编号='101'", b));
    EXPECT_EQ(b, a);
    EXPECT_EQ(a->text("科目编号"), "101");
    EXPECT_EQ(a->recordCount(), 1);
    // A statement through an empty reference closes the shared recordset.
    RecordsetPtr c;
    EXPECT_EQ(funExecuteSQL("Update 财务科目 Set 科目名称='库存现金' Where 科目编号='101'", c), 1);
    EXPECT_FALSE(a->isOpen());
    EXPECT_TRUE(a->eof());
    // A recordset of a window's own is untouched by other queries.
    RecordsetPtr own = funNewRecordset();
    ASSERT_TRUE(funOpenRecordset("Select * From 财务科目 Order By 科目编号", own));
    ASSERT_TRUE(funOpenRecordset("Select * From 财务科目 Where 科目编号='102'"));
    EXPECT_EQ(own->text("科目名称"), "库存现金");
}

TEST(RecordsetCursor, MovesBothWaysWithBeginningAndEndTests)
{
    TestDb db;
    for (int i = 1; i <= 5; ++i)
        db.exec(QStringLiteral("INSERT INTO 记账凭证 (凭证号码,类别) VALUES (%1,'记')").arg(i));
    RecordsetPtr rs = funNewRecordset();
    ASSERT_TRUE(funOpenRecordset("Select * From 记账凭证 Where 凭证号码 > 0 Order By 编号 ", rs));
    EXPECT_EQ(rs->integer("凭证号码"), 1);
    rs->movePrevious();
    EXPECT_TRUE(rs->bof());
    EXPECT_FALSE(rs->eof());
    EXPECT_FALSE(rs->field("凭证号码").isValid());
    rs->moveFirst();
    rs->moveNext();
    rs->moveNext();
    EXPECT_EQ(rs->integer("凭证号码"), 3);
    rs->moveLast();
    EXPECT_EQ(rs->integer("凭证号码"), 5);
    rs->moveNext();
    EXPECT_TRUE(rs->eof());
    EXPECT_FALSE(rs->bof());
    rs->moveNext(); // stays past the end
    EXPECT_TRUE(rs->eof());
    rs->movePrevious();
    EXPECT_EQ(rs->integer("凭证号码"), 5);
}

TEST(RecordsetCursor, NullsReadAsEmptyTextOrZero)
{
    TestDb db;
    db.exec("INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号,备注,日期) VALUES "
            "(1,1,0,5,'s','101',NULL,NULL)");
    ASSERT_TRUE(funOpenRecordset("Select * From 记账凭证内容"));
    EXPECT_EQ(rsShared->text("备注"), "");
    EXPECT_EQ(rsShared->text("日期"), "");
    EXPECT_TRUE(rsShared->field("备注").isNull());
    EXPECT_DOUBLE_EQ(rsShared->number("备注"), 0.0);
    ASSERT_TRUE(funOpenRecordset("Select Max(凭证号码) As 最大编号 From 记账凭证 Where 类别='转'"));
    EXPECT_EQ(rsShared->integer("最大编号"), 0);
    EXPECT_TRUE(rsShared->field("最大编号").isNull());
}

TEST(RecordsetAppend, AddsARowAndChangesTheCurrentRowWithBoundValues)
{
    TestDb db;
    db.exec("INSERT INTO 财务科目 (科目编号,科目名称,末级账) VALUES ('101','现金',1)");
    RecordsetPtr rs = funNewRecordset();
    ASSERT_TRUE(funOpenRecordset("Select * From 财务科目 Where 科目编号 = '101' Order By 科目编号", rs));
    rs->setValue("末级账", false);
    ASSERT_TRUE(rs->update());
    EXPECT_EQ(db.scalar("SELECT 末级账 FROM 财务科目 WHERE 科目编号='101'"), "0");
    EXPECT_FALSE(rs->boolean("末级账"));

    ASSERT_TRUE(rs->addNew());
    rs->setValue("科目编号", "10101");
    rs->setValue("科目名称", "O'Brien's \"cash\" 100% #1");
    rs->setValue("级次", 2);
    ASSERT_TRUE(rs->update());
    EXPECT_EQ(db.scalar("SELECT 科目名称 FROM 财务科目 WHERE 科目编号='10101'"), "O'Brien's \"cash\" 100% #1");
    EXPECT_EQ(db.scalar("SELECT 末级账 FROM 财务科目 WHERE 科目编号='10101'"), "1")
        << "columns left out take their defaults";

    // A duplicate key cannot be written and says so.
    ASSERT_TRUE(rs->addNew());
    rs->setValue("科目编号", "10101");
    EXPECT_FALSE(rs->update());
    // A join has no single table to write to.
    RecordsetPtr join = funNewRecordset();
    funOpenRecordset("Select * From 财务科目, 财务科目类别", join);
    EXPECT_FALSE(join->addNew());
}

TEST(Transaction, RollsBackEverythingUnlessCommitted)
{
    TestDb db;
    {
        kessory::Transaction t(cnnDB.get());
        ASSERT_TRUE(t.active());
        EXPECT_EQ(funExecuteSQL("Insert Into 记账凭证 (凭证号码,类别) Values (1,'记')"), 1);
    }
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证"), "0");
    {
        kessory::Transaction t(cnnDB.get());
        EXPECT_EQ(funExecuteSQL("Insert Into 记账凭证 (凭证号码,类别) Values (1,'记')"), 1);
        EXPECT_TRUE(t.commit());
    }
    EXPECT_EQ(db.scalar("SELECT count(*) FROM 记账凭证"), "1");
}

TEST(SharedRecordsets, ARecordsetMayOutliveTheConnection)
{
    RecordsetPtr kept = funNewRecordset();
    {
        TestDb db;
        db.exec("INSERT INTO 财务科目 (科目编号,科目名称) VALUES ('101','现金'),('102','银行存款')");
        ASSERT_TRUE(funOpenRecordset("Select * From 财务科目 Order By 科目编号", kept));
    } // the connection closes here while the recordset still holds its statement
    kept->close();
    EXPECT_FALSE(kept->isOpen());
}

TEST(OpenDB, SaysWhatIsWrongWithAFileItCannotUse)
{
    TestDb db(TestDb::Rows::None, false);
    ASSERT_TRUE(locateDBFile(db.folder()));
    RecordsetPtr rs;
    {
        // Another program holds the file locked: the open waits a few seconds, then says the file is in use.
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open(db.dataFile().toUtf8().constData(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        QElapsedTimer waited;
        waited.start();
        EXPECT_FALSE(funOpenDB(rs));
        EXPECT_GE(waited.elapsed(), 2000);
        EXPECT_EQ(funOpenFailureText(), "数据文件正被其他程序使用，请稍后再试。");
        sqlite3_close(other);
    }
    ASSERT_TRUE(funOpenDB(rs));
    // A column the program reads or writes is missing: named, like a missing table.
    cnnDB->exec("ALTER TABLE 记账凭证内容 DROP COLUMN 备注");
    cnnDB->exec("DROP TABLE 部门分类");
    EXPECT_FALSE(funOpenDB(rs));
    EXPECT_EQ(funOpenFailureText(), "数据文件缺少 记账凭证内容.备注、部门分类，系统无法运行.");
}

TEST(Connection, KeepsTheEnginesErrorAndTellsFailureFromNoRows)
{
    TestDb db;
    EXPECT_EQ(cnnDB->execute(kessory::SqlCommand { "Update 财务科目 Set 科目名称=? Where 科目编号=?", { "x", "999" } }),
              0);
    EXPECT_EQ(cnnDB->lastError().code, 0);
    db.refuse("INSERT", "财务科目", {}, "refused here");
    EXPECT_EQ(cnnDB->execute(kessory::SqlCommand { "Insert Into 财务科目 (科目编号) Values (?)", { "999" } }), -1);
    EXPECT_EQ(cnnDB->lastError().code & 0xff, SQLITE_CONSTRAINT);
    EXPECT_TRUE(cnnDB->lastError().message.contains("refused here")) << cnnDB->lastError().message.toStdString();
    // The failure is logged beside the database.
    QFile log(QFileInfo(db.dataFile()).absolutePath() + "/kessory.log");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains("refused here"));
}
