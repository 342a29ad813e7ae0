// Month-end close on a server book shared by several seats: a seat in the middle of a write is not waited for, it is
// named.
#include "data/Connection.h"
#include "data/Seats.h"
#include "data/basDBOperate.h"
#include "shell/Operators.h"
#include "tests/support/TestDb.h"
#include "vouchers/PeriodClose.h"

#include <QSysInfo>
#include <gtest/gtest.h>

using namespace kessory;
using kessory::test::TestDb;

TEST(OtherSeat, CloseAndReopenAreRefusedWhileAnotherSeatWritesAndNameIt)
{
    if (!test::onServer())
        GTEST_SKIP() << "server only: seats share a book on a server; a book file waits for its lock instead";
    TestDb book;
    Connection* here = basDBOperate::cnnDB.get();
    const QString host = QSysInfo::machineHostName();
    // The cashier's seat opens the book before anyone logs in here.
    Seats::setOperator(QStringLiteral("张出纳"));
    std::unique_ptr<Connection> cashier = Connection::openServer(basDBOperate::bookLocation.server);
    Seats::setOperator(QString());
    ASSERT_TRUE(cashier);
    {
        Transaction saving(cashier.get());
        ASSERT_TRUE(saving.active());
        const PeriodClose::Result refused = PeriodClose::closeNextMonth(here);
        EXPECT_FALSE(refused.ok);
        EXPECT_EQ(refused.message,
                  QStringLiteral("另一工位（Kessory 张出纳@%1）正在写入账簿，请稍后再结账。").arg(host));
        EXPECT_EQ(PeriodClose::lastClosedMonth(here), 0);
    }
    ASSERT_TRUE(PeriodClose::closeNextMonth(here).ok);

    // Once logged in, this seat is named by its operator to the others.
    Operators::setCurrent(Operators::Operator { QStringLiteral("王会计"), Operators::Role::Manager });
    {
        Transaction saving(here);
        ASSERT_TRUE(saving.active());
        EXPECT_EQ(PeriodClose::reopenLastMonth(cashier.get()).message,
                  QStringLiteral("另一工位（Kessory 王会计@%1）正在写入账簿，请稍后再反结账。").arg(host));
    }
    Operators::setCurrent(std::nullopt);
    EXPECT_EQ(PeriodClose::lastClosedMonth(here), 1);
    EXPECT_TRUE(PeriodClose::reopenLastMonth(cashier.get()).ok);
}
