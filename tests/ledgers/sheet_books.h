#pragma once

#include "tests/support/TestDb.h"

#include <QString>

namespace kessory::test {

// Writes a chart and voucher lines for the ledger sheet tests: each line gets its own voucher header, so a voided
// one voids only that line.
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

    // A line of the account on that side, saved on the given day of 2026 (the calendar month that counts).
    void line(const QString& code, bool credit, double amount, int month, int day = 10, bool voided = false)
    {
        ++m_voucher;
        m_db.exec(QStringLiteral("INSERT INTO 记账凭证 (编号,凭证号码,类别,月份,记账日期,已作废) VALUES "
                                 "(%1,%1,'记',1,'2026-01-01 09:00:00',%2)")
                      .arg(m_voucher)
                      .arg(voided ? 1 : 0));
        m_db.exec(QStringLiteral("INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号,日期) VALUES "
                                 "(%1,1,%2,%3,'摘要','%4','2026-%5-%6 10:00:00')")
                      .arg(m_voucher)
                      .arg(credit ? 1 : 0)
                      .arg(amount, 0, 'g', 17)
                      .arg(code)
                      .arg(month, 2, 10, QLatin1Char('0'))
                      .arg(day, 2, 10, QLatin1Char('0')));
    }
    void credit(const QString& code, double amount, int month) { line(code, true, amount, month); }
    void debit(const QString& code, double amount, int month) { line(code, false, amount, month); }

private:
    TestDb& m_db;
    int m_voucher = 0;
};

} // namespace kessory::test
