#include "data/basDBOperate.h"
#include "output/BookDocuments.h"
#include "statements/StatementDefinition.h"
#include "statements/StatementReport.h"
#include "tests/support/TestDb.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kessory;
using kessory::test::TestDb;

// A printed or exported statement carries the figures its window computes for the same period.
TEST(StatementDocument, CarriesTheComputedFiguresOfThePeriod)
{
    TestDb db(TestDb::Rows::Sample);
    db.addSampleRows(QStringLiteral("30_formulas.sample.sql"));

    for (const StatementPeriod period : { StatementPeriod { 1, 12 }, StatementPeriod { 1, 6 } }) {
        const StatementReport shown = funComputeStatement(basDBOperate::cnnDB.get(), balanceSheet(), period);
        TableDocument doc;
        ASSERT_TRUE(statementDocument(balanceSheet(), doc, period));
        ASSERT_EQ(doc.rows.size(), shown.lines.size());
        for (std::size_t r = 0; r < doc.rows.size(); ++r) {
            for (std::size_t v = 0; v < 2; ++v) {
                const TableCell& printed = doc.rows[r].cells.at(3 + v);
                EXPECT_TRUE(printed.isAmount);
                EXPECT_EQ(printed.cents, shown.lines[r].cells[v].cents) << "row " << r;
            }
        }
    }
}
