#pragma once

#include "ledgers/LedgerSheet.h"
#include "tests/support/TestDb.h"

#include <QString>
#include <gtest/gtest.h>
#include <vector>

namespace kessory::test {

// Writes a chart, openings and voucher lines for the ledger sheet tests: each line gets its own voucher header, so a
// voided one voids only that line.
class SheetBooks {
public:
    explicit SheetBooks(TestDb& db)
        : m_db(db)
    {
    }

    void account(const QString& code, const QString& name)
    {
        m_db.exec(QStringLiteral("INSERT INTO 财务科目 (科目编号,科目名称,级次) VALUES ('%1','%2',%3)")
                      .arg(code, name)
                      .arg((code.size() - 1) / 2));
    }

    // An opening balance of the year in fen, credit minus debit.
    void opening(const QString& code, qint64 cents)
    {
        m_db.exec(QStringLiteral("INSERT INTO 期初余额 (科目编号,余额) VALUES ('%1',%2)").arg(code).arg(cents));
    }

    // A line of the account on that side in a voucher posted on the given day of 2026. The line itself was last
    // written in December (as an audit rewrites it), which must not move it.
    void line(const QString& code, bool credit, double amount, int month, int day = 10, bool voided = false)
    {
        ++m_voucher;
        m_db.exec(QStringLiteral("INSERT INTO 记账凭证 (编号,凭证号码,类别,月份,记账日期,已作废) VALUES "
                                 "(%1,%1,'记',%2,'2026-%3-%4 09:00:00',%5)")
                      .arg(m_voucher)
                      .arg(month)
                      .arg(month, 2, 10, QLatin1Char('0'))
                      .arg(day, 2, 10, QLatin1Char('0'))
                      .arg(voided ? 1 : 0));
        m_db.exec(QStringLiteral("INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号,日期) VALUES "
                                 "(%1,1,%2,%3,'摘要','%4','2026-12-31 10:00:00')")
                      .arg(m_voucher)
                      .arg(credit ? 1 : 0)
                      .arg(amount, 0, 'g', 17)
                      .arg(code));
    }
    void credit(const QString& code, double amount, int month) { line(code, true, amount, month); }
    void debit(const QString& code, double amount, int month) { line(code, false, amount, month); }

private:
    TestDb& m_db;
    int m_voucher = 0;
};

// A ledger sheet's store over a test book: load a range, read the entries it loaded.
template <typename Store> class SheetTest : public ::testing::Test {
protected:
    using Item = std::decay_t<decltype(std::declval<Store>().arrItems[0])>;

    void load(qint16 start, qint16 end)
    {
        m_start = start;
        m_end = end;
        store.funLoadItem(m_start, m_end);
    }
    // The entries loaded, without the blank tail.
    std::vector<Item> loaded() const
    {
        const int n = store.intItemCount - LedgerSheet::kBlankTail;
        return std::vector<Item>(store.arrItems.begin(), store.arrItems.begin() + std::max(n, 0));
    }

    TestDb db;
    SheetBooks books { db };
    Store store;
    qint16 m_start = 0;
    qint16 m_end = 0;
};

} // namespace kessory::test
