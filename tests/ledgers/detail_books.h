#pragma once

#include "tests/support/TestDb.h"

#include <QString>

namespace kessory::test {

// Writes vouchers and their lines straight into a test database for the detail ledger's cases.
class DetailBooks {
public:
    explicit DetailBooks(TestDb& db)
        : m_db(db)
    {
    }

    // A voucher header of the given month, posted on the given day; returns its id.
    int voucher(int number, const QString& category, int month, int day, bool voided = false)
    {
        m_db.exec(
            QStringLiteral("INSERT INTO 记账凭证 (凭证号码,类别,月份,记账日期,已作废) VALUES (%1,'%2',%3,'2026-%4-%5 "
                           "09:30:00',%6)")
                .arg(number)
                .arg(category)
                .arg(month)
                .arg(month, 2, 10, QLatin1Char('0'))
                .arg(day, 2, 10, QLatin1Char('0'))
                .arg(voided ? 1 : 0));
        return m_db.scalar(QStringLiteral("SELECT max(编号) FROM 记账凭证")).toInt();
    }

    // A line of voucher id, last written in lineMonth (which no book reads for a period).
    void line(int id, bool credit, const QString& amount, const QString& code, const QString& summary, int lineMonth)
    {
        ++m_record;
        m_db.exec(QStringLiteral("INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号,日期) VALUES "
                                 "(%1,%2,%3,%4,'%5','%6','2026-%7-15 10:00:00')")
                      .arg(id)
                      .arg(m_record)
                      .arg(credit ? 1 : 0)
                      .arg(amount, summary, code)
                      .arg(lineMonth, 2, 10, QLatin1Char('0')));
    }

    // count debit lines of 1.00 on account code in one voucher of month 1.
    void manyLines(int count, const QString& code)
    {
        const int id = voucher(1, QStringLiteral("记"), 1, 3);
        m_db.exec(
            QStringLiteral("INSERT INTO 记账凭证内容 (编号,记录号,方向,金额,摘要,科目编号,日期) WITH RECURSIVE "
                           "c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c WHERE x<%1) SELECT %2,x,False,1.0,'行'||x,"
                           "'%3','2026-01-03 10:00:00' FROM c")
                .arg(count)
                .arg(id)
                .arg(code));
    }

private:
    TestDb& m_db;
    int m_record = 0;
};

} // namespace kessory::test
