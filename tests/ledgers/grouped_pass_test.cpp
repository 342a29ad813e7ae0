// The general ledger and the account summary load from one grouped pass; here the rule they follow is computed the
// long way, one query per account, month and side, and both must give the same entries on random books.
#include "data/Connection.h"
#include "data/Numbers.h"
#include "data/basDBOperate.h"
#include "ledgers/AccountSummary.h"
#include "ledgers/GeneralLedger.h"
#include "shell/Clock.h"
#include "tests/support/TestDb.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <random>

using namespace kessory;
using kessory::test::TestDb;

namespace {

// The rule: a first-level account takes every line whose code starts with its code, of vouchers not voided, in the
// period of the voucher (the month of its posting date, its stored month where that date cannot be read); sums in
// whole fen; the opening of the year is its openings' sum.
struct Reference {
    Connection* db = basDBOperate::cnnDB.get();

    std::pair<qint64, qint64> query(const QString& sql, const QVariantList& values)
    {
        Statement st = db->prepare(sql);
        EXPECT_TRUE(st.valid()) << sql.toStdString();
        for (int i = 0; i < values.size(); ++i)
            st.bind(i + 1, values[i]);
        EXPECT_EQ(st.step(), 1);
        return { st.column(0).toLongLong(), st.columnCount() > 1 ? st.column(1).toLongLong() : 0 };
    }
    // {count, fen} of one side of an account's lines in periods first to last (every period when first > last: the
    // summary's whole year).
    std::pair<qint64, qint64> side(const QString& code, bool credit, qint64 first, qint64 last)
    {
        return query(QStringLiteral("Select Count(*), Coalesce(Sum(Cast(Round(c.金额 * 100) As Integer)), 0) From "
                                    "记账凭证内容 c, 记账凭证 h Where c.编号 = h.编号 And h.已作废 = 0 And c.科目编号 "
                                    "Like ?1 || '%' And c.方向 = ?2 And (Cast(?3 As Integer) > Cast(?4 As Integer) Or "
                                    "Coalesce(Month(h.记账日期), h.月份) Between Cast(?3 As Integer) And Cast(?4 As "
                                    "Integer))"),
                     { code, credit ? 1 : 0, first, last });
    }
    qint64 net(const QString& code, qint64 first, qint64 last)
    {
        return side(code, true, first, last).second - side(code, false, first, last).second;
    }
    qint64 opening(const QString& code)
    {
        return query(QStringLiteral("Select Coalesce(Sum(余额), 0) From 期初余额 Where 科目编号 Like ?1 || '%'"),
                     { code })
            .first;
    }
    QStringList accounts()
    {
        QStringList codes;
        Statement st = db->prepare(QStringLiteral("Select 科目编号 From 财务科目 Where Len(科目编号)=3 Order By 1"));
        while (st.step() == 1)
            codes << st.column(0).toString();
        return codes;
    }

    QStringList generalLedger(qint16 start, qint16 end)
    {
        QStringList rows;
        for (const QString& code : accounts()) {
            const auto before = [&](qint64 month) { return opening(code) + (month > 1 ? net(code, 1, month - 1) : 0); };
            const qint64 lines = side(code, true, start, end).first + side(code, false, start, end).first;
            const qint64 openingCents = start >= 1 ? before(start) : 0;
            if (openingCents == 0 && lines == 0)
                continue;
            rows << QStringLiteral("%1|期初余额|%2|0|0|%3").arg(code).arg(start).arg(openingCents);
            for (qint64 m = start; m <= end; ++m) {
                const qint64 credit = side(code, true, m, m).second;
                const qint64 debit = side(code, false, m, m).second;
                rows << QStringLiteral("%1|本期合计|%2|%3|%4|%5")
                            .arg(code)
                            .arg(m)
                            .arg(debit)
                            .arg(credit)
                            .arg(credit - debit);
                rows << QStringLiteral("%1|本年累计|%2|0|0|%3").arg(code).arg(m).arg(before(m + 1));
            }
        }
        return rows;
    }

    QStringList summary(qint16 start, qint16 end)
    {
        QStringList rows;
        qint64 allDebit = 0;
        qint64 allCredit = 0;
        const bool wholeYear = start <= 0 && end <= 0;
        for (const QString& code : accounts()) {
            const auto credit = side(code, true, wholeYear ? 1 : start, wholeYear ? 0 : end);
            const auto debit = side(code, false, wholeYear ? 1 : start, wholeYear ? 0 : end);
            if (credit.first + debit.first == 0)
                continue;
            allDebit += debit.second;
            allCredit += credit.second;
            rows << QStringLiteral("%1|%2|%3|%4")
                        .arg(code)
                        .arg(debit.second)
                        .arg(credit.second)
                        .arg(credit.second - debit.second);
        }
        if (!rows.isEmpty())
            rows << QStringLiteral("|%1|%2|%3").arg(allDebit).arg(allCredit).arg(allCredit - allDebit);
        return rows;
    }
};

// Empty when both lists agree, otherwise the first place where they differ.
std::string difference(const QStringList& got, const QStringList& want)
{
    for (qsizetype i = 0; i < std::max(got.size(), want.size()); ++i) {
        const QString a = got.value(i, QStringLiteral("(none)"));
        const QString b = want.value(i, QStringLiteral("(none)"));
        if (a != b)
            return QStringLiteral("row %1: %2 against %3").arg(i).arg(a, b).toStdString();
    }
    return {};
}

QStringList loaded(const GeneralLedger& ledger)
{
    QStringList rows;
    for (int i = 0; i < ledger.intItemCount - LedgerSheet::kBlankTail; ++i) {
        const typZZItem& e = ledger.arrItems[static_cast<std::size_t>(i)];
        rows << QStringLiteral("%1|%2|%3|%4|%5|%6")
                    .arg(e.KMBH, e.ZY)
                    .arg(e.KJQJ)
                    .arg(toCents(e.JFJE))
                    .arg(toCents(e.DFJE))
                    .arg(toCents(e.Diff));
    }
    return rows;
}

QStringList loaded(const AccountSummary& summary)
{
    QStringList rows;
    for (int i = 0; i < summary.intItemCount - LedgerSheet::kBlankTail; ++i) {
        const typKMHZItem& e = summary.arrItems[static_cast<std::size_t>(i)];
        rows
            << QStringLiteral("%1|%2|%3|%4").arg(e.KMBH).arg(toCents(e.JFJE)).arg(toCents(e.DFJE)).arg(toCents(e.Diff));
    }
    return rows;
}

// A random book: a chart of first-level accounts with sub-accounts, codes outside the chart, vouchers over the
// year with some voided, some with a stored month that disagrees or a date that cannot be read, and openings.
void makeRandomBook(TestDb& db, unsigned seed)
{
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    db.exec(QStringLiteral("BEGIN"));
    QStringList codes;
    for (int i = 0; i < 9; ++i) {
        const QString code = QString::number(101 + 100 * (i % 5) + i);
        db.exec(QStringLiteral("INSERT INTO 财务科目 (科目编号,科目名称) VALUES ('%1','科目%1')").arg(code));
        codes << code << code + QStringLiteral("01") << code + QStringLiteral("0102");
        if (pick(3) == 0)
            db.exec(QStringLiteral("INSERT INTO 期初余额 (科目编号,余额) VALUES ('%1',%2)")
                        .arg(code + QStringLiteral("01"))
                        .arg(pick(2000001) - 1000000));
    }
    codes << QStringLiteral("999") << QStringLiteral("9");
    for (int v = 1; v <= 80; ++v) {
        const int month = 1 + pick(12);
        QString date = QStringLiteral("2026-%1-%2 09:00:00").arg(month, 2, 10, QLatin1Char('0')).arg(1 + pick(28));
        if (pick(10) == 0)
            date = QStringLiteral("不是日期");
        const int stored = pick(6) == 0 ? pick(13) : month;
        db.exec(QStringLiteral("INSERT INTO 记账凭证 (编号,凭证号码,类别,月份,记账日期,已作废) VALUES "
                               "(%1,%1,'记',%2,'%3',%4)")
                    .arg(v)
                    .arg(stored)
                    .arg(date)
                    .arg(pick(8) == 0 ? 1 : 0));
        for (int n = 1, lines = 1 + pick(5); n <= lines; ++n)
            db.exec(QStringLiteral("INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,科目编号,日期) VALUES "
                                   "(%1,%2,%3,%4,'%5','2026-%6-01')")
                        .arg(v)
                        .arg(n)
                        .arg(pick(2))
                        .arg(QString::number(pick(10000000)) + QStringLiteral(".") + QString::number(10 + pick(90)))
                        .arg(codes[pick(static_cast<int>(codes.size()))])
                        .arg(1 + pick(12), 2, 10, QLatin1Char('0')));
    }
    db.exec(QStringLiteral("COMMIT"));
}

TEST(GroupedPass, GivesTheEntriesOfTheQueryPerAccountMonthAndSide)
{
    for (unsigned seed = 1; seed <= 5; ++seed) {
        SCOPED_TRACE(seed);
        TestDb db;
        Clock::setNow(QDateTime(QDate(2026, 12, 20), QTime(10, 0)));
        makeRandomBook(db, seed);
        Reference reference;
        std::mt19937 random(seed);
        for (int round = 0; round < 4; ++round) {
            qint16 start = static_cast<qint16>(1 + random() % 12);
            qint16 end = static_cast<qint16>(start + random() % static_cast<unsigned>(13 - start));
            if (round == 0) {
                start = 1;
                end = 12;
            }
            GeneralLedger ledger;
            ledger.funLoadItem(start, end);
            EXPECT_EQ(difference(loaded(ledger), reference.generalLedger(start, end)), "") << start << "-" << end;

            AccountSummary summary;
            qint16 first = round == 0 ? 0 : start;
            qint16 last = round == 0 ? 0 : end;
            summary.funLoadItem(first, last);
            EXPECT_EQ(difference(loaded(summary), reference.summary(first, last)), "") << first << "-" << last;
        }
    }
}

} // namespace
