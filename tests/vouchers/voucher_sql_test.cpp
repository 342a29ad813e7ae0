#include "data/basDBOperate.h"
#include "tests/support/TestDb.h"
#include "tests/vouchers/QtPrinters.h"
#include "vouchers/AccountList.h"
#include "vouchers/VoucherSql.h"
#include "vouchers/VoucherTotals.h"

#include <gtest/gtest.h>

namespace sql = kessory::VoucherSql;
using kessory::test::TestDb;

// The search as the window sends it, on a book: the voucher of that number and category and no other; typed text
// that tries to leave its quotes finds nothing instead of every voucher.
TEST(VoucherSqlTest, SearchFindsExactlyTheVoucherOfThatNumberAndCategory)
{
    TestDb db;
    db.exec(QStringLiteral("INSERT INTO 记账凭证 (编号,凭证号码,类别,月份,记账日期) VALUES (1,12,'转',3,'2026-03-04'),"
                           "(2,12,'收',3,'2026-03-04'),(3,1,'转',3,'2026-03-04'),(4,121,'转',3,'2026-03-04'),"
                           "(5,7,'x''y',3,'2026-03-04')"));
    const auto found = [](qint32 number, const QString& category) {
        auto rs = basDBOperate::funNewRecordset();
        // False when no row is found.
        basDBOperate::funOpenRecordset(sql::findVoucher(number, category), rs);
        QStringList ids;
        for (; rs && rs->hasCurrent(); rs->moveNext())
            ids << rs->text(QStringLiteral("编号"));
        return ids.join(u',');
    };
    EXPECT_EQ(found(12, QStringLiteral("转")), QStringLiteral("1"));
    EXPECT_EQ(found(7, QStringLiteral("x'y")), QStringLiteral("5"));
    EXPECT_EQ(found(1, QStringLiteral("x' Or 1 --")), QString());
    EXPECT_EQ(found(12, QStringLiteral("转' Or '1'='1")), QString());
}

TEST(VoucherSqlTest, AmountsAreWrittenInPlainDecimalFromCents)
{
    EXPECT_EQ(sql::plainAmount(0.1 + 0.2), QStringLiteral("0.30"));
    EXPECT_EQ(sql::plainAmount(1234567890.12), QStringLiteral("1234567890.12"));
    EXPECT_EQ(sql::plainAmount(1e-7), QStringLiteral("0.00"));
    EXPECT_EQ(sql::plainAmount(5), QStringLiteral("5.00"));
}

TEST(VoucherTotalsTest, RowsNetToTheLargerSide)
{
    const auto a = kessory::netRow({ 10000, 3000 });
    EXPECT_EQ(a.debit, 7000);
    EXPECT_EQ(a.credit, 0);
    const auto b = kessory::netRow({ 3000, 10000 });
    EXPECT_EQ(b.debit, 0);
    EXPECT_EQ(b.credit, 7000);
    const auto c = kessory::netRow({ 4200, 4200 });
    EXPECT_EQ(c.debit, 0);
    EXPECT_EQ(c.credit, 0);
}

TEST(VoucherTotalsTest, SidesThatAreEqualToTheCentHaveNoDifference)
{
    kessory::VoucherLines lines {};
    lines[0].金额 = 0.1;
    lines[1].金额 = 0.2;
    lines[2].金额 = 0.3;
    lines[2].方向 = true;
    lines[128].金额 = 1.5; // every slot counts
    lines[128].方向 = true;
    lines[127].金额 = 1.5;
    const auto t = kessory::sumLines(lines);
    EXPECT_EQ(t.debit, 180);
    EXPECT_EQ(t.credit, 180);
    EXPECT_EQ(t.difference(), 0);
}

TEST(AccountListTest, LocateByCodePrefixOrNameFragment)
{
    const QStringList entries { QStringLiteral("101 现金"), QStringLiteral("102 银行存款"),
                                QStringLiteral("10201 工商银行"), QStringLiteral("501 Sales income") };
    EXPECT_EQ(kessory::AccountList::locate(entries, QStringLiteral("10"), -1), 0);
    EXPECT_EQ(kessory::AccountList::locate(entries, QStringLiteral("1020"), -1), 2);
    EXPECT_EQ(kessory::AccountList::locate(entries, QStringLiteral("银行"), -1), 1);
    EXPECT_EQ(kessory::AccountList::locate(entries, QStringLiteral("sales"), 2), 2) << "case-sensitive; no match keeps";
    EXPECT_EQ(kessory::AccountList::locate(entries, QStringLiteral("income"), -1), 3);
    EXPECT_EQ(kessory::AccountList::locate(entries, QString(), 3), 0);
    EXPECT_EQ(kessory::AccountList::locate({}, QString(), -1), -1);

    const auto e = kessory::AccountList::split(QStringLiteral("501 Sales income"));
    EXPECT_EQ(e.code, QStringLiteral("501"));
    EXPECT_EQ(e.name, QStringLiteral("Sales income"));
    EXPECT_FALSE(kessory::AccountList::split(QStringLiteral("501")).hasName);
}
