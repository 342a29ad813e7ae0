#include "data/basDBOperate.h"
#include "shell/Clock.h"
#include "shell/Msg.h"
#include "tests/support/TestDb.h"
#include "tests/vouchers/QtPrinters.h"
#include "vouchers/VoucherSql.h"
#include "vouchers/VoucherStore.h"
#include "vouchers/VoucherTotals.h"

#include <gtest/gtest.h>

using kessory::StampSet;
using kessory::typVoucherLine;
using kessory::VoucherStore;
using kessory::test::TestDb;

namespace {

typVoucherLine makeLine(const QString& summary, const QString& code, const QString& name, double amount, bool credit)
{
    typVoucherLine l;
    l.摘要 = summary;
    l.科目代码 = code;
    l.科目名称 = name;
    l.金额 = amount;
    l.方向 = credit;
    return l;
}

// A new voucher as the window leaves it after storing its rows: number, category, date from the labels.
void newVoucher(VoucherStore& store, const QString& category)
{
    store.funClearBuffer();
    store.header.凭证号码 = static_cast<qint16>(VoucherStore::funNextVoucherNo(category));
    store.header.类别 = category;
    store.header.记账日期 = kessory::Clock::generalDate();
}

void twoLines(VoucherStore& store, double debit, double credit)
{
    store.arrLines[0]
        = makeLine(QStringLiteral("提取现金"), QStringLiteral("101"), QStringLiteral("现金"), debit, false);
    store.arrLines[1]
        = makeLine(QStringLiteral("提取现金"), QStringLiteral("10201"), QStringLiteral("工商银行"), credit, true);
}

// Loads a stored voucher the way the window does: its header row and its lines with their account names.
VoucherStore loaded(qint16 number, const QString& category)
{
    VoucherStore store;
    auto header = basDBOperate::funNewRecordset();
    EXPECT_TRUE(basDBOperate::funOpenRecordset(kessory::VoucherSql::findVoucher(number, category), header));
    auto lines = basDBOperate::funNewRecordset();
    basDBOperate::funOpenRecordset(
        kessory::VoucherSql::linesWithAccounts(static_cast<qint32>(header->integer(QStringLiteral("编号")))), lines);
    store.funLoadVoucher(*header, lines.get());
    return store;
}

// Loads a stored voucher by its id, as the window shows a row of its list.
VoucherStore loadedById(qint32 id)
{
    VoucherStore store;
    auto header = basDBOperate::funNewRecordset();
    EXPECT_TRUE(basDBOperate::funOpenRecordset(QStringLiteral("Select * From 记账凭证 Where 编号=%1").arg(id), header));
    auto lines = basDBOperate::funNewRecordset();
    basDBOperate::funOpenRecordset(kessory::VoucherSql::linesWithAccounts(id), lines);
    store.funLoadVoucher(*header, lines.get());
    return store;
}

const QString kChangedElsewhere = QStringLiteral("该凭证已被修改或删除，请刷新后再操作。");

class VoucherStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kessory::Clock::setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 30, 0)));
        kessory::Msg::clearShown();
    }
    TestDb db { TestDb::Rows::Sample };
};

class EmptyBooksTest : public ::testing::Test {
protected:
    TestDb db;
};

} // namespace

TEST_F(EmptyBooksTest, NumbersStartAtOnePerCategoryAndCountIndependently)
{
    EXPECT_EQ(VoucherStore::funNextVoucherNo(QStringLiteral("记")), 1);
    EXPECT_EQ(VoucherStore::funNextVoucherNo(QStringLiteral("转")), 1);
    db.exec(QStringLiteral("INSERT INTO 记账凭证 (凭证号码,类别) VALUES (7,'记')"));
    EXPECT_EQ(VoucherStore::funNextVoucherNo(QStringLiteral("记")), 8);
    EXPECT_EQ(VoucherStore::funNextVoucherNo(QStringLiteral("转")), 1);
    db.exec(QStringLiteral("INSERT INTO 记账凭证 (凭证号码,类别) VALUES (-4,'转')"));
    EXPECT_EQ(VoucherStore::funNextVoucherNo(QStringLiteral("转")), 1);
    // A category text with a quote is a value, not SQL.
    EXPECT_EQ(VoucherStore::funNextVoucherNo(QStringLiteral("'")), 1);
}

TEST(VoucherLinesTest, CountStopsAtFirstEmptyLineAndNumbersTheLines)
{
    VoucherStore store;
    twoLines(store, 5, 5);
    store.arrLines[3] = makeLine(QStringLiteral("x"), QStringLiteral("101"), QStringLiteral("现金"), 1, false);
    EXPECT_EQ(store.funCountLines(), 2);
    EXPECT_EQ(store.arrLines[0].记录号, 1);
    EXPECT_EQ(store.arrLines[1].记录号, 2);
    EXPECT_EQ(store.funCheckLines(), -1);

    // Summary without account, and account without amount, are both incomplete.
    store.arrLines[2].摘要 = QStringLiteral("只有摘要");
    EXPECT_EQ(store.funCheckLines(), 2);
    store.arrLines[2] = makeLine(QStringLiteral("s"), QStringLiteral("101"), QStringLiteral("现金"), 0.001, false);
    EXPECT_EQ(store.funCheckLines(), 2) << "an amount below one cent is no amount";

    // A voucher of 128 complete lines has no empty end: refused at line 0.
    for (auto& l : store.arrLines)
        l = makeLine(QStringLiteral("s"), QStringLiteral("101"), QStringLiteral("现金"), 1, false);
    EXPECT_EQ(store.funCountLines(), 128);
    EXPECT_EQ(store.funCheckLines(), 0);

    store.funClearBuffer();
    EXPECT_EQ(store.intLineCount, 0);
    EXPECT_EQ(store.header.记账日期, QStringLiteral("1900-01-01"));
    EXPECT_TRUE(kessory::isEmptyLine(store.arrLines[127]));
    EXPECT_FALSE(kessory::isEmptyLine(store.arrLines[128])) << "the clear leaves the last slot";
}

TEST_F(VoucherStoreTest, SaveInsertsThenUpdatesTheSameVoucher)
{
    VoucherStore store;
    newVoucher(store, QStringLiteral("记"));
    const int expectedNo = db.scalar(QStringLiteral("SELECT max(凭证号码) FROM 记账凭证 WHERE 类别='记'")).toInt() + 1;
    EXPECT_EQ(store.header.凭证号码, expectedNo);
    const QString where = QStringLiteral(" WHERE 凭证号码=%1 AND 类别='记'").arg(expectedNo);
    twoLines(store, 320.5, 320.5);

    ASSERT_TRUE(store.saveVoucher());
    EXPECT_TRUE(kessory::Msg::shown().isEmpty()) << "the window says that the voucher was saved";
    const QString id = db.scalar(QStringLiteral("SELECT 编号 FROM 记账凭证") + where);
    EXPECT_EQ(QString::number(store.header.编号), id);
    EXPECT_EQ(db.rows(QStringLiteral("SELECT 月份, 记账人, 已作废, 记账日期 FROM 记账凭证 WHERE 编号=") + id, "/"),
              QStringLiteral("3/USER/0/2026-03-15 10:30:00"));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT 记录号, 方向, 金额, 科目编号, 日期 FROM 记账凭证内容 WHERE 编号=") + id
                          + QStringLiteral(" ORDER BY 记录号"),
                      ":", "|"),
              QStringLiteral("1:0:320.5:101:2026-03-15 10:30:00|2:1:320.5:10201:2026-03-15 10:30:00"));

    // Saved again later with a changed amount: the same header and lines are updated, not duplicated.
    kessory::Clock::setNow(QDateTime(QDate(2026, 4, 2), QTime(8, 0, 0)));
    store.arrLines[0].金额 = 400;
    ASSERT_TRUE(store.saveVoucher());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证") + where), QStringLiteral("1"));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT count(*), sum(金额), min(日期) FROM 记账凭证内容 WHERE 编号=") + id, "/"),
              QStringLiteral("2/720.5/2026-04-02 08:00:00"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT 月份 FROM 记账凭证 WHERE 编号=") + id), QStringLiteral("3"))
        << "the month follows the voucher date, not the day of the save";
}

TEST_F(VoucherStoreTest, IncompleteLineRefusesSilentlyAndNamesTheLine)
{
    VoucherStore store;
    newVoucher(store, QStringLiteral("记"));
    twoLines(store, 10, 10);
    store.arrLines[2] = makeLine(QStringLiteral("缺科目"), QString(), QString(), 10, false);
    const QString before = db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证"));

    const kessory::VoucherWrite refused = store.saveVoucher();
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.incompleteLine, 2);
    EXPECT_TRUE(refused.message.isEmpty());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证")), before);
}

TEST_F(VoucherStoreTest, UnbalancedAndLinelessVouchersStillSave)
{
    VoucherStore store;
    newVoucher(store, QStringLiteral("转"));
    twoLines(store, 100, 90);
    ASSERT_TRUE(store.saveVoucher());
    EXPECT_EQ(
        db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 编号=") + QString::number(store.header.编号)),
        QStringLiteral("2"));

    VoucherStore empty;
    newVoucher(empty, QStringLiteral("转"));
    EXPECT_EQ(empty.header.凭证号码, store.header.凭证号码 + 1);
    ASSERT_TRUE(empty.saveVoucher());
    EXPECT_EQ(
        db.scalar(
            QStringLiteral("SELECT count(*) FROM 记账凭证 WHERE 类别='转' AND 凭证号码=%1").arg(empty.header.凭证号码)),
        QStringLiteral("1"));
    EXPECT_EQ(
        db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 编号=") + QString::number(empty.header.编号)),
        QStringLiteral("0"));
    EXPECT_TRUE(kessory::Msg::shown().isEmpty());
}

TEST_F(VoucherStoreTest, ShortenedVoucherDoesNotKeepItsOldTail)
{
    VoucherStore store;
    newVoucher(store, QStringLiteral("记"));
    twoLines(store, 10, 5);
    store.arrLines[2] = makeLine(QStringLiteral("第三行"), QStringLiteral("101"), QStringLiteral("现金"), 5, true);
    ASSERT_TRUE(store.saveVoucher());
    const QString id = QString::number(store.header.编号);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 编号=") + id), QStringLiteral("3"));

    store.arrLines[2] = typVoucherLine {};
    store.arrLines[1].金额 = 10;
    ASSERT_TRUE(store.saveVoucher());
    EXPECT_EQ(db.rows(QStringLiteral("SELECT 记录号 FROM 记账凭证内容 WHERE 编号=%1 ORDER BY 记录号").arg(id), {}, ","),
              QStringLiteral("1,2"));
    EXPECT_EQ(loaded(store.header.凭证号码, QStringLiteral("记")).intLineCount, 2);
}

TEST_F(VoucherStoreTest, FailedThirdLineRollsBackTheWholeSave)
{
    db.refuse(QStringLiteral("INSERT"), QStringLiteral("记账凭证内容"), QStringLiteral("NEW.记录号=3"));
    const QString headers = db.scalar(QStringLiteral("SELECT count(*)||'/'||max(编号) FROM 记账凭证"));
    const QString lines = db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容"));

    VoucherStore store;
    newVoucher(store, QStringLiteral("记"));
    twoLines(store, 10, 5);
    store.arrLines[2] = makeLine(QStringLiteral("第三行"), QStringLiteral("101"), QStringLiteral("现金"), 5, true);
    const kessory::VoucherWrite refused = store.saveVoucher();
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.message, QStringLiteral("在保存到第 3 条凭证明细时发生错误。"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*)||'/'||max(编号) FROM 记账凭证")), headers);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容")), lines);
    EXPECT_EQ(store.header.编号, 0) << "the id of a rolled-back header is not kept";

    // The connection is usable afterwards and the same voucher saves once the obstacle is gone.
    db.allow(QStringLiteral("INSERT"), QStringLiteral("记账凭证内容"));
    EXPECT_TRUE(store.saveVoucher());
    EXPECT_EQ(
        db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 编号=") + QString::number(store.header.编号)),
        QStringLiteral("3"));
}

TEST_F(VoucherStoreTest, FailedHeaderShowsTheSaveMessage)
{
    db.refuse(QStringLiteral("INSERT"), QStringLiteral("记账凭证"));
    VoucherStore store;
    newVoucher(store, QStringLiteral("记"));
    twoLines(store, 1, 1);
    EXPECT_EQ(store.saveVoucher().message, QStringLiteral("保存凭证失败。"));
}

TEST_F(VoucherStoreTest, QuotesAndSignsInEveryTextFieldSaveAndReadBackUnchanged)
{
    const QString odd = QStringLiteral("O'Brien 100% #1 True");
    VoucherStore store;
    newVoucher(store, QStringLiteral("记"));
    store.header.制单人 = odd;
    store.header.审核人 = QString();
    store.header.记账人 = QStringLiteral("李'四");
    twoLines(store, 12.34, 12.34);
    store.arrLines[0].摘要 = odd;
    store.arrLines[1].备注 = QStringLiteral("it's # 'x'");
    ASSERT_TRUE(store.saveVoucher());
    // Once more as an update.
    ASSERT_TRUE(store.saveVoucher());

    const VoucherStore back = loaded(store.header.凭证号码, QStringLiteral("记"));
    EXPECT_EQ(back.header.制单人, odd);
    EXPECT_EQ(back.header.记账人, QStringLiteral("李'四"));
    QStringList summaries;
    QStringList remarks;
    for (int i = 0; i < back.intLineCount; ++i) {
        summaries << back.arrLines[static_cast<std::size_t>(i)].摘要;
        remarks << back.arrLines[static_cast<std::size_t>(i)].备注;
    }
    EXPECT_TRUE(summaries.contains(odd));
    EXPECT_TRUE(remarks.contains(QStringLiteral("it's # 'x'")));
}

TEST_F(VoucherStoreTest, LoadReadsHeaderAndLinesWithAccountNames)
{
    const VoucherStore v = loaded(3, QStringLiteral("记"));
    EXPECT_EQ(v.header.编号, 3);
    EXPECT_EQ(v.header.审核人, QStringLiteral("ADMIN"));
    EXPECT_EQ(v.header.记账日期, QStringLiteral("2026-01-12 09:30:00"));
    ASSERT_EQ(v.intLineCount, 3);
    // In account code order, not record order.
    EXPECT_EQ(v.arrLines[0].科目代码, QStringLiteral("10201"));
    EXPECT_TRUE(v.arrLines[0].方向);
    EXPECT_EQ(v.arrLines[0].科目名称, QStringLiteral("工商银行"));
    EXPECT_EQ(v.arrLines[1].科目代码, QStringLiteral("12301"));
    EXPECT_DOUBLE_EQ(v.arrLines[1].金额, 40000.0);
}

TEST_F(VoucherStoreTest, LineWhoseAccountIsGoneIsShownAndKeptBySave)
{
    const QString lines = QStringLiteral("SELECT count(*)||'/'||sum(金额) FROM 记账凭证内容 WHERE 编号=3");
    const QString before = db.scalar(lines);
    db.exec(QStringLiteral("DELETE FROM 财务科目 WHERE 科目编号='2210101'"));
    VoucherStore v = loaded(3, QStringLiteral("记"));
    ASSERT_EQ(v.intLineCount, 3);
    QStringList names;
    for (int i = 0; i < 3; ++i) {
        const auto& line = v.arrLines[static_cast<std::size_t>(i)];
        names << line.科目代码 + QLatin1Char(' ') + line.科目名称;
    }
    EXPECT_TRUE(names.contains(QStringLiteral("2210101 （科目不存在）"))) << names.join(u',').toStdString();
    ASSERT_TRUE(v.saveVoucher());
    EXPECT_EQ(db.scalar(lines), before);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 编号=3 AND 科目编号='2210101'")),
              QStringLiteral("1"));
}

TEST_F(VoucherStoreTest, StoredTextsGoInBoundSoADateCannotChangeTheStatement)
{
    const QString voided = QStringLiteral("SELECT count(*) FROM 记账凭证 WHERE 已作废");
    const QString before = db.scalar(voided);
    const QString hostile = QStringLiteral("2026-01-05#, 已作废=1 Where 1 --");
    db.exec(QStringLiteral("UPDATE 记账凭证 SET 记账日期='%1' WHERE 编号=5").arg(hostile));
    VoucherStore v = loaded(4, QStringLiteral("记"));
    ASSERT_TRUE(v.auditRefusal(StampSet {}).isEmpty());
    const kessory::VoucherWrite refused = v.auditVoucher();
    EXPECT_FALSE(refused);
    EXPECT_EQ(db.scalar(voided), before);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT 记账日期||'/'||审核人 FROM 记账凭证 WHERE 编号=5")), hostile + u'/');
    // The date that cannot be read is named; nothing is saved quietly.
    EXPECT_TRUE(refused.message.contains(hostile)) << refused.message.toStdString();
}

TEST_F(VoucherStoreTest, DatesReadInTheCommonFormsAndOthersAreRefusedByName)
{
    for (const char* text : { "2026-01-02 09:30", "2026/1/2 9:30:05", "２０２６－０１－０２", "2026-1-2" }) {
        EXPECT_EQ(VoucherStore::monthOf(QString::fromUtf8(text)), 1) << text;
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT Month('%1')").arg(QString::fromUtf8(text))), QStringLiteral("1"))
            << text;
    }
    for (const char* text : { "2026-02-30", "2026-01-02 25:00", "2026-01-05#, x", "明天" }) {
        EXPECT_EQ(VoucherStore::monthOf(QString::fromUtf8(text)), 0) << text;
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT Month('%1')").arg(QString::fromUtf8(text))), QString()) << text;
    }
    db.exec(QStringLiteral("UPDATE 记账凭证 SET 记账日期='2026-01-02 09:30' WHERE 编号=5"));
    VoucherStore v = loaded(4, QStringLiteral("记"));
    v.header.月份 = 0; // as the window leaves it
    ASSERT_TRUE(v.saveVoucher());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT 月份 FROM 记账凭证 WHERE 编号=5")), QStringLiteral("1"));

    v.header.记账日期 = QStringLiteral("二〇二六年");
    const kessory::VoucherWrite refused = v.saveVoucher();
    EXPECT_FALSE(refused);
    EXPECT_TRUE(refused.message.contains(QStringLiteral("二〇二六年")));
}

TEST_F(VoucherStoreTest, HeaderAndLinesAreFoundByTheSameIdEvenWhenANumberIsTwice)
{
    // A second header of 记4 (a book with duplicates, as an old file may be) with a line of its own.
    if (kessory::test::onServer())
        db.exec(QStringLiteral("DROP INDEX 记账凭证_类别号码"));
    db.exec(
        QStringLiteral("INSERT INTO 记账凭证 (编号,凭证号码,类别,月份,记账日期) VALUES (900,4,'记',1,'2026-01-20')"));
    db.exec(QStringLiteral("INSERT INTO 记账凭证内容 (编号,记录号,金额,摘要,科目编号) VALUES (900,1,9,'重号','101')"));
    const QString first = db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 编号=5"));
    VoucherStore second = loadedById(900);
    second.arrLines[0].摘要 = QStringLiteral("重号改");
    ASSERT_TRUE(second.saveVoucher());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT 摘要 FROM 记账凭证内容 WHERE 编号=900")), QStringLiteral("重号改"));
    ASSERT_TRUE(second.deleteVoucher());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证 WHERE 编号 IN (5, 900)")), QStringLiteral("1"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证 WHERE 编号=5")), QStringLiteral("1"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 编号=5")), first);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 编号=900")), QStringLiteral("0"));
}

TEST_F(VoucherStoreTest, AWriteOfAVoucherChangedOrReplacedElsewhereIsRefused)
{
    const qint16 last = static_cast<qint16>(VoucherStore::funNextVoucherNo(QStringLiteral("记")) - 1);
    VoucherStore mine = loaded(last, QStringLiteral("记"));
    // Another copy deletes the voucher and saves a new one, which takes the same number.
    VoucherStore other = loaded(last, QStringLiteral("记"));
    ASSERT_TRUE(other.deleteVoucher());
    newVoucher(other, QStringLiteral("记"));
    ASSERT_EQ(other.header.凭证号码, last);
    twoLines(other, 1, 1);
    ASSERT_TRUE(other.saveVoucher());
    const QString theirs
        = QStringLiteral("SELECT 摘要, 金额 FROM 记账凭证内容 WHERE 编号=%1 ORDER BY 记录号").arg(other.header.编号);
    const QString stored = db.rows(theirs);
    EXPECT_FALSE(stored.isEmpty());

    mine.header.编号 = other.header.编号; // even a window that took the new id over cannot write it
    EXPECT_EQ(mine.saveVoucher().message, kChangedElsewhere);
    EXPECT_EQ(mine.deleteVoucher().message, kChangedElsewhere);
    EXPECT_EQ(db.rows(theirs), stored);

    // A voucher changed by another copy since it was shown is not overwritten either.
    VoucherStore a = loaded(1, QStringLiteral("记"));
    VoucherStore b = loaded(1, QStringLiteral("记"));
    b.arrLines[0].摘要 = QStringLiteral("另一个程序改的");
    ASSERT_TRUE(b.saveVoucher());
    a.arrLines[0].摘要 = QStringLiteral("这个程序改的");
    EXPECT_EQ(a.saveVoucher().message, kChangedElsewhere);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 摘要='另一个程序改的'")),
              QStringLiteral("1"));
    EXPECT_TRUE(b.saveVoucher()) << "the copy that wrote last can write again";
}

TEST_F(VoucherStoreTest, OddHeadersAndTextsAreNeverSavedAsSomethingElse)
{
    const QString headers = QStringLiteral("SELECT count(*) FROM 记账凭证");
    const QString count = db.scalar(headers);
    const QString firstRow
        = QStringLiteral("SELECT 编号, 附单据数, 记账日期 FROM 记账凭证 WHERE 凭证号码=1 AND 类别='记'");
    const QString first = db.rows(firstRow);
    EXPECT_FALSE(first.isEmpty());
    db.exec(QStringLiteral("UPDATE 记账凭证 SET 类别='收' WHERE 编号=5"));
    db.exec(QStringLiteral("UPDATE 记账凭证 SET 凭证号码=70001 WHERE 编号=3"));
    for (const qint32 id : { 5, 3 }) {
        VoucherStore v = loadedById(id);
        // What the window stores back: its category list knows only 记 and 转, its number is 16 bits.
        v.header.类别 = QStringLiteral("记");
        v.header.凭证号码 = 1;
        v.header.附单据数 = 7;
        ASSERT_TRUE(v.saveVoucher());
    }
    EXPECT_EQ(db.scalar(headers), count);
    EXPECT_EQ(db.rows(firstRow), first);
    EXPECT_EQ(db.rows(QStringLiteral("SELECT 类别, 凭证号码, 附单据数 FROM 记账凭证 WHERE 编号 IN (3,5) ORDER BY 编号"),
                      {}, "/"),
              QStringLiteral("记700017/收47"));

    // A NUL typed into a summary is dropped; a text too long for the book is refused whole, not cut.
    VoucherStore n;
    newVoucher(n, QStringLiteral("记"));
    twoLines(n, 5, 5);
    n.arrLines[0].摘要 = QStringLiteral("提取") + QChar(u'\0') + QStringLiteral("现金");
    ASSERT_TRUE(n.saveVoucher());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 摘要='提取现金' AND 编号=")
                        + QString::number(n.header.编号)),
              QStringLiteral("2"));
    n.arrLines[1].摘要 = QString(VoucherStore::kMaxTextLength + 1, u'长');
    const kessory::VoucherWrite refused = n.saveVoucher();
    EXPECT_FALSE(refused);
    EXPECT_TRUE(refused.message.startsWith(QStringLiteral("第 2 条凭证明细的摘要超过")))
        << refused.message.toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT max(length(摘要)) FROM 记账凭证内容 WHERE 编号=")
                        + QString::number(n.header.编号)),
              QStringLiteral("4"));
}

TEST(VoucherTotalsOverflowTest, AmountsBeyondTheControlStopAtTheLimitInsteadOfOverflowing)
{
    kessory::VoucherLines lines {};
    for (auto& line : lines) {
        line.金额 = 9e17;
        line.方向 = false;
    }
    lines[0].方向 = true;
    lines[0].金额 = 1;
    const auto t = kessory::sumLines(lines);
    EXPECT_EQ(t.debit, std::numeric_limits<qint64>::max());
    EXPECT_EQ(t.credit, 100);
    EXPECT_EQ(t.difference(), std::numeric_limits<qint64>::max() - 100);
}

TEST_F(VoucherStoreTest, VoidSavesAndIsRefusedOnLockedVouchers)
{
    VoucherStore v = loaded(4, QStringLiteral("记"));
    StampSet unbalanced;
    unbalanced.set(kessory::Stamp::Unbalanced, true);
    EXPECT_TRUE(v.voidRefusal(unbalanced).isEmpty()) << "the unbalanced stamp does not block voiding";
    EXPECT_TRUE(v.voidVoucher());
    EXPECT_TRUE(kessory::Msg::shown().isEmpty());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT 已作废 FROM 记账凭证 WHERE 编号=5")), QStringLiteral("1"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT min(日期) FROM 记账凭证内容 WHERE 编号=5")),
              QStringLiteral("2026-03-15 10:30:00"))
        << "voiding re-saves every line with the day of the command";

    for (auto stamp :
         { kessory::Stamp::Voided, kessory::Stamp::Audited, kessory::Stamp::Extra3, kessory::Stamp::Extra4 }) {
        StampSet s;
        s.set(stamp, true);
        EXPECT_EQ(v.voidRefusal(s), QStringLiteral("该凭证无法作废。"));
    }
}

TEST_F(VoucherStoreTest, AuditIsRefusedUnderAnyStampAndWritesTheAuditor)
{
    VoucherStore v = loaded(4, QStringLiteral("记"));
    for (int i = 0; i < kessory::kStampCount; ++i) {
        StampSet s;
        s.shown[static_cast<std::size_t>(i)] = true;
        EXPECT_EQ(v.auditRefusal(s), QStringLiteral("无法完成审核或已审核。"));
    }
    EXPECT_TRUE(v.auditRefusal(StampSet {}).isEmpty());
    EXPECT_TRUE(v.auditVoucher());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT 审核人 FROM 记账凭证 WHERE 编号=5")), QStringLiteral("ADMIN"));
}

TEST_F(VoucherStoreTest, DeleteRemovesHeaderAndLines)
{
    VoucherStore v = loaded(4, QStringLiteral("记"));
    StampSet audited;
    audited.set(kessory::Stamp::Audited, true);
    EXPECT_EQ(v.deleteRefusal(audited), QStringLiteral("该凭证无法完成删除操作。"));
    EXPECT_TRUE(v.deleteRefusal(StampSet {}).isEmpty());
    EXPECT_TRUE(v.deleteVoucher());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证 WHERE 编号=5")), QStringLiteral("0"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 编号=5")), QStringLiteral("0"));
}

TEST_F(VoucherStoreTest, VoucherWithoutStoredLinesCanBeDeleted)
{
    VoucherStore v;
    newVoucher(v, QStringLiteral("转"));
    ASSERT_TRUE(v.saveVoucher());
    VoucherStore back = loaded(v.header.凭证号码, QStringLiteral("转"));
    EXPECT_TRUE(back.deleteVoucher());
    EXPECT_EQ(
        db.scalar(
            QStringLiteral("SELECT count(*) FROM 记账凭证 WHERE 类别='转' AND 凭证号码=%1").arg(v.header.凭证号码)),
        QStringLiteral("0"));
}

TEST_F(VoucherStoreTest, FailedLineDeleteKeepsEverythingAndSaysSo)
{
    db.refuse(QStringLiteral("DELETE"), QStringLiteral("记账凭证内容"));
    VoucherStore v = loaded(4, QStringLiteral("记"));
    EXPECT_EQ(v.deleteVoucher().message, QStringLiteral("凭证内容删除失败。"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证 WHERE 编号=5")), QStringLiteral("1"));

    // A failing header delete rolls the line delete back.
    db.allow(QStringLiteral("DELETE"), QStringLiteral("记账凭证内容"));
    db.refuse(QStringLiteral("DELETE"), QStringLiteral("记账凭证"));
    EXPECT_EQ(v.deleteVoucher().message, QStringLiteral("凭证删除失败。"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM 记账凭证内容 WHERE 编号=5")), QStringLiteral("2"));
}

TEST(VoucherDateTest, MonthOfTheProgramsDateTexts)
{
    EXPECT_EQ(VoucherStore::monthOf(QStringLiteral("2026-03-15 10:30:00")), 3);
    EXPECT_EQ(VoucherStore::monthOf(QStringLiteral("2026-11-02")), 11);
    EXPECT_EQ(VoucherStore::monthOf(QStringLiteral("2026/7/4")), 7);
    EXPECT_EQ(VoucherStore::monthOf(QStringLiteral("")), 0);
    EXPECT_EQ(VoucherStore::monthOf(QStringLiteral("不是日期")), 0);
}
