#include "data/Numbers.h"
#include "data/basDBOperate.h"
#include "statements/StatementDefinition.h"
#include "statements/StatementReport.h"
#include "tests/support/TestDb.h"

#include <QDate>
#include <QFile>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace kessory;
using kessory::test::TestDb;

namespace {

// The books read line by line, straight from the tables, and summed here without the formula engine.
class PlainBooks {
public:
    explicit PlainBooks(Connection* c)
    {
        Statement chart = c->prepare(QStringLiteral("SELECT 科目编号, 余额方向, (现金账 Or 银行账) FROM 财务科目"));
        while (chart.step() == 1) {
            const QString code = chart.column(0).toString();
            m_creditSide[code] = chart.column(1).toInt() == 1;
            if (chart.column(2).toInt() != 0)
                m_cash.insert(code);
        }
        Statement open = c->prepare(QStringLiteral("SELECT 科目编号, 余额 FROM 期初余额"));
        while (open.step() == 1)
            m_openings.push_back({ open.column(0).toString(), open.column(1).toLongLong() });
        Statement lines
            = c->prepare(QStringLiteral("SELECT h.编号, h.记账日期, h.月份, h.已作废, l.科目编号, l.方向, l.金额 "
                                        "FROM 记账凭证 h, 记账凭证内容 l WHERE l.编号 = h.编号"));
        while (lines.step() == 1) {
            if (lines.column(3).toInt() != 0)
                continue;
            const QDate date = QDate::fromString(lines.column(1).toString().left(10), Qt::ISODate);
            m_lines.push_back({ lines.column(0).toLongLong(), date.isValid() ? date.month() : lines.column(2).toInt(),
                                lines.column(4).toString(), lines.column(5).toInt() != 0,
                                toCents(lines.column(6).toDouble()) });
        }
    }

    static bool under(const QString& code, const std::vector<QString>& accounts)
    {
        for (const QString& a : accounts) {
            if (code.startsWith(a))
                return true;
        }
        return false;
    }
    bool isCash(const QString& code) const { return m_cash.count(code.left(3)) || m_cash.count(code); }

    qint64 side(const std::vector<QString>& accounts, bool credit, int from, int to) const
    {
        qint64 s = 0;
        for (const Line& l : m_lines) {
            if (l.credit == credit && l.month >= from && l.month <= to && under(l.code, accounts))
                s += l.cents;
        }
        return s;
    }
    // Debit minus credit at the end of month `to` (0: the opening), over the accounts whose first digit is given.
    qint64 debitBalanceOfClasses(const QString& digits, int to) const
    {
        qint64 s = 0;
        for (const auto& [code, cents] : m_openings) {
            if (digits.contains(code.at(0)))
                s -= cents;
        }
        for (const Line& l : m_lines) {
            if (l.month <= to && digits.contains(l.code.at(0)))
                s += l.credit ? -l.cents : l.cents;
        }
        return s;
    }
    qint64 debitBalance(const std::vector<QString>& accounts, int to) const
    {
        qint64 s = 0;
        for (const auto& [code, cents] : m_openings) {
            if (under(code, accounts))
                s -= cents;
        }
        return s + side(accounts, false, 1, to) - side(accounts, true, 1, to);
    }
    // Revenue (credit-side 损益类 accounts' credits) less costs (debit-side ones' debits).
    qint64 profit(int from, int to) const
    {
        qint64 s = 0;
        for (const Line& l : m_lines) {
            if (l.code.at(0) != QLatin1Char('5') || l.month < from || l.month > to)
                continue;
            const bool creditSide = m_creditSide.at(l.code.left(3));
            if (creditSide && l.credit)
                s += l.cents;
            else if (!creditSide && !l.credit)
                s -= l.cents;
        }
        return s;
    }
    // Cash received (or paid) against the accounts: each voucher's net cash, when its other side is all of one
    // kind, is exactly the other side's lines.
    qint64 cash(const std::vector<QString>& accounts, bool received, int from, int to) const
    {
        std::map<qint64, std::vector<const Line*>> vouchers;
        for (const Line& l : m_lines) {
            if (l.month >= from && l.month <= to)
                vouchers[l.voucher].push_back(&l);
        }
        qint64 s = 0;
        for (const auto& [id, lines] : vouchers) {
            qint64 net = 0;
            for (const Line* l : lines) {
                if (isCash(l->code))
                    net += l->credit ? -l->cents : l->cents;
            }
            if (net == 0 || (net > 0) != received)
                continue;
            qint64 other = 0;
            qint64 taken = 0;
            for (const Line* l : lines) {
                if (!isCash(l->code) && l->credit == received) {
                    other += l->cents;
                    if (under(l->code, accounts))
                        taken += l->cents;
                }
            }
            EXPECT_EQ(other, received ? net : -net) << "voucher " << id << " needs a share-out";
            s += taken;
        }
        return s;
    }
    qint64 cashIncrease(int from, int to) const
    {
        qint64 s = 0;
        for (const Line& l : m_lines) {
            if (isCash(l.code) && l.month >= from && l.month <= to)
                s += l.credit ? -l.cents : l.cents;
        }
        return s;
    }

private:
    struct Line {
        qint64 voucher;
        int month;
        QString code;
        bool credit;
        qint64 cents;
    };
    std::map<QString, bool> m_creditSide;
    std::set<QString> m_cash;
    std::vector<std::pair<QString, qint64>> m_openings; // credit minus debit
    std::vector<Line> m_lines;
};

void addSampleFormulas(TestDb& db)
{
    db.addSampleRows(QStringLiteral("30_formulas.sample.sql"));
}

// Balanced openings: 800,000.00 on each side, a contra account among them.
void addOpenings(TestDb& db)
{
    db.exec("INSERT INTO 期初余额 VALUES ('10201', -50000000), ('16101', -30000000), ('165', 5000000), "
            "('201', 10000000), ('301', 60000000), ('322', 5000000)");
}

const StatementCell& cellOf(const StatementReport& r, int line, std::size_t column)
{
    for (const StatementLine& l : r.lines) {
        if (l.line == line)
            return l.cells.at(column);
    }
    static const StatementCell none;
    ADD_FAILURE() << "no line " << line;
    return none;
}

qint64 figure(const StatementReport& r, int line, std::size_t column)
{
    const StatementCell& c = cellOf(r, line, column);
    EXPECT_EQ(c.state, StatementCell::State::Computed) << "line " << line << ": " << c.error.toStdString();
    return c.cents;
}

} // namespace

TEST(StatementFigures, TheSampleBookComputedEqualsItsVouchersAndOpenings)
{
    TestDb db(TestDb::Rows::Sample);
    addSampleFormulas(db);
    addOpenings(db);
    Connection* c = basDBOperate::cnnDB.get();
    const PlainBooks books(c);

    for (const StatementPeriod period : { StatementPeriod { 1, 12 }, StatementPeriod { 4, 9 } }) {
        SCOPED_TRACE(period.start * 100 + period.end);
        const int from = period.start;
        const int to = period.end;

        const StatementReport bs = funComputeStatement(c, balanceSheet(), { 1, to });
        ASSERT_TRUE(bs.computed);
        for (std::size_t col : { 0u, 1u }) {
            const int end = col == 0 ? 0 : to;
            // Assets (and costs in progress) against liabilities, equity and profit not yet carried.
            EXPECT_EQ(figure(bs, 67, col), books.debitBalanceOfClasses("14", end));
            EXPECT_EQ(figure(bs, 135, col), -books.debitBalanceOfClasses("235", end));
            EXPECT_EQ(figure(bs, 1, col), books.debitBalance({ "101", "102", "109" }, end));
            EXPECT_EQ(figure(bs, 40, col), -books.debitBalance({ "165" }, end));
            EXPECT_EQ(figure(bs, 75, col), -books.debitBalance({ "221" }, end));
        }
        EXPECT_NE(figure(bs, 67, 1), 0);
        EXPECT_NE(figure(bs, 67, 0), figure(bs, 67, 1));
        ASSERT_EQ(bs.checks.size(), 2u);
        EXPECT_TRUE(bs.checks[0].holds) << bs.checks[0].text.toStdString();
        EXPECT_TRUE(bs.checks[1].holds) << bs.checks[1].text.toStdString();

        const StatementReport is = funComputeStatement(c, incomeStatement(), period);
        EXPECT_EQ(figure(is, 1, 0), books.side({ "501" }, true, from, to));
        EXPECT_EQ(figure(is, 1, 1), books.side({ "501" }, true, 1, to));
        EXPECT_EQ(figure(is, 4, 1), books.side({ "502" }, false, 1, to));
        EXPECT_EQ(figure(is, 15, 0), books.side({ "521" }, false, from, to));
        EXPECT_EQ(figure(is, 30, 0), books.profit(from, to));
        EXPECT_EQ(figure(is, 30, 1), books.profit(1, to));

        const StatementReport cf = funComputeStatement(c, cashFlowStatement(), period);
        EXPECT_EQ(figure(cf, 1, 0), books.cash({ "501", "511", "112", "113", "204", "2210102" }, true, from, to));
        EXPECT_EQ(figure(cf, 10, 0),
                  books.cash({ "121", "123", "124", "125", "126", "127", "137", "138", "115", "202", "203", "2210101",
                               "401", "405", "502" },
                             false, from, to));
        EXPECT_EQ(figure(cf, 12, 0), books.cash({ "211", "214", "52103" }, false, from, to));
        EXPECT_EQ(figure(cf, 13, 0), books.cash({ "2210102", "22102", "22103", "229", "504", "551" }, false, from, to));
        EXPECT_EQ(figure(cf, 30, 0), books.cash({ "161", "166", "169", "171", "181" }, false, from, to));
        EXPECT_EQ(figure(cf, 40, 0), books.cash({ "201", "241", "251" }, true, from, to));
        EXPECT_EQ(figure(cf, 46, 0), books.cash({ "223", "322", "52201" }, false, from, to));
        EXPECT_EQ(figure(cf, 56, 0), books.cashIncrease(from, to));
        ASSERT_EQ(cf.checks.size(), 1u);
        EXPECT_TRUE(cf.checks[0].holds) << cf.checks[0].text.toStdString();
    }

    // The sample's December carried only the revenue to 本年利润: the income statement's check says so.
    const StatementReport is = funComputeStatement(c, incomeStatement(), { 1, 12 });
    ASSERT_EQ(is.checks.size(), 2u);
    EXPECT_FALSE(is.checks[1].holds);
    EXPECT_TRUE(is.checks[1].text.contains(QStringLiteral("未结转"))) << is.checks[1].text.toStdString();
    EXPECT_TRUE(is.checks[1].text.contains(moneyText(books.profit(1, 12) - 22580000)));
}

TEST(StatementFigures, ProfitCarriedEveryMonthMakesTheIncomeCheckHold)
{
    TestDb db(TestDb::Rows::Sample);
    addSampleFormulas(db);
    Connection* c = basDBOperate::cnnDB.get();
    // Carry the costs too, then the year's profit on to 利润分配: the distribution is left out of the check.
    const qint64 profit = PlainBooks(c).profit(1, 12);
    db.exec("INSERT INTO 记账凭证 (编号,凭证号码,类别,月份,记账日期,已作废) VALUES (900,90,'转',12,'2026-12-31',0)");
    db.exec("INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,科目编号) SELECT 900, row_number() OVER (), True, "
            "sum(CASE WHEN 方向 THEN -金额 ELSE 金额 END), 科目编号 FROM 记账凭证内容 l JOIN 记账凭证 h USING (编号) "
            "WHERE NOT h.已作废 AND l.编号 <> 42 AND 科目编号 LIKE '5%' AND 科目编号 NOT IN ('501','511','541') "
            "GROUP BY 科目编号");
    db.exec(QStringLiteral("INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,科目编号) VALUES (900, 99, 0, %1, '321')")
                .arg(fromCents(22580000 - profit), 0, 'f', 2));
    db.exec(
        QStringLiteral(
            "INSERT INTO 记账凭证 (编号,凭证号码,类别,月份,记账日期,已作废) VALUES (901,91,'转',12,'2026-12-31',0);"
            "INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,科目编号) VALUES (901,1,0,%1,'321'),(901,2,1,%1,'322')")
            .arg(fromCents(profit), 0, 'f', 2));
    const StatementReport is = funComputeStatement(c, incomeStatement(), { 12, 12 });
    ASSERT_EQ(is.checks.size(), 2u);
    EXPECT_TRUE(is.checks[1].holds) << is.checks[1].text.toStdString();
    EXPECT_EQ(figure(is, 30, 1), profit);
    const StatementReport bs = funComputeStatement(c, balanceSheet(), { 1, 12 });
    EXPECT_TRUE(bs.checks[1].holds) << bs.checks[1].text.toStdString();
}

TEST(StatementFigures, WrongFormulasShowAsErrorsAndTheRestStillComputes)
{
    TestDb db(TestDb::Rows::Sample);
    addSampleFormulas(db);
    db.exec("UPDATE 报表公式 SET 公式 = '期末余额(101' WHERE 报表 = '资产负债表' AND 行次 = 2 AND 列名 = '期末数'");
    db.exec("UPDATE 报表公式 SET 公式 = '[4] + 1' WHERE 报表 = '资产负债表' AND 行次 = 3 AND 列名 = '期末数'");
    db.exec("UPDATE 报表公式 SET 公式 = '[3]' WHERE 报表 = '资产负债表' AND 行次 = 4 AND 列名 = '期末数'");
    db.exec("UPDATE 报表公式 SET 公式 = '期末余额(888)' WHERE 报表 = '资产负债表' AND 行次 = 5 AND 列名 = '期末数'");
    db.exec("DELETE FROM 报表公式 WHERE 报表 = '资产负债表' AND 行次 = 11");
    db.exec("UPDATE 资产负债表 SET 期末数 = 1234567.8 WHERE 行次 = 11");
    const StatementReport bs = funComputeStatement(basDBOperate::cnnDB.get(), balanceSheet(), { 1, 12 });
    for (int line : { 2, 3, 4, 5, 31, 67 }) {
        const StatementCell& cell = cellOf(bs, line, 1);
        EXPECT_EQ(cell.state, StatementCell::State::Error) << line;
        EXPECT_EQ(cell.text, QStringLiteral("#公式错误"));
    }
    EXPECT_TRUE(cellOf(bs, 2, 1).error.contains(QStringLiteral("缺少右括号")));
    EXPECT_TRUE(cellOf(bs, 3, 1).error.contains(QStringLiteral("循环引用")));
    EXPECT_TRUE(cellOf(bs, 5, 1).error.contains(QStringLiteral("888")));
    EXPECT_TRUE(cellOf(bs, 31, 1).error.contains(QStringLiteral("行次2")));
    // A line without a formula shows its stored value as money; the other column is untouched.
    EXPECT_EQ(cellOf(bs, 11, 1).state, StatementCell::State::Stored);
    EXPECT_EQ(cellOf(bs, 11, 1).text, QStringLiteral("1,234,567.80"));
    EXPECT_EQ(cellOf(bs, 67, 0).state, StatementCell::State::Computed);
    EXPECT_FALSE(bs.checks.at(1).holds);
    EXPECT_TRUE(bs.checks.at(1).text.contains(QStringLiteral("公式错误")));
}

TEST(StatementFigures, WithoutFormulasTheStoredFiguresShowExactlyAsBefore)
{
    for (const bool dropTable : { true, false }) {
        TestDb db(TestDb::Rows::Sample);
        if (dropTable)
            db.exec("DROP TABLE 报表公式");
        for (const StatementDefinition* s : { &incomeStatement(), &cashFlowStatement(), &balanceSheet() }) {
            std::vector<StatementRow> rows;
            ASSERT_TRUE(funReadStatement(*s, rows));
            const StatementReport r = funComputeStatement(basDBOperate::cnnDB.get(), *s, { 1, 12 });
            EXPECT_FALSE(r.computed);
            EXPECT_TRUE(r.checks.empty());
            ASSERT_EQ(r.lines.size(), rows.size());
            for (std::size_t i = 0; i < rows.size(); ++i) {
                ASSERT_EQ(r.lines[i].cells.size(), static_cast<std::size_t>(rows[i].values.size()));
                for (std::size_t v = 0; v < r.lines[i].cells.size(); ++v)
                    EXPECT_EQ(r.lines[i].cells[v].text, rows[i].values.at(static_cast<qsizetype>(v)));
            }
        }
    }
}

TEST(StatementFigures, MoneyText)
{
    EXPECT_EQ(moneyText(0), QStringLiteral("0.00"));
    EXPECT_EQ(moneyText(5), QStringLiteral("0.05"));
    EXPECT_EQ(moneyText(-123456789), QStringLiteral("-1,234,567.89"));
    EXPECT_EQ(moneyText(100000), QStringLiteral("1,000.00"));
    EXPECT_EQ(moneyText(99999), QStringLiteral("999.99"));
}
