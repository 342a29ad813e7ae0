// A whole book copied between a file and a server (`kessory db copy`): every table and the totals the same on both
// sides, any difference named, and a target that holds a book left alone unless asked.
#include "data/BookCopy.h"
#include "data/Connection.h"
#include "data/Seats.h"
#include "data/ServerBook.h"
#include "shell/DbCommand.h"
#include "tests/support/TestDb.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kessory;

TEST(BookCopy, ServerAndFileRoundTripIsWholeAndADifferenceIsNamed)
{
    if (!test::onServer())
        GTEST_SKIP() << "server only: needs a PostgreSQL server to copy to";
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("source.DAT"));
    ASSERT_TRUE(test::makeDatabase(source, true));
    std::unique_ptr<Connection> admin = Connection::openServer(*ServerBook::fromUrl(test::serverUrl()));
    ASSERT_TRUE(admin);
    ASSERT_TRUE(admin->exec("DROP SCHEMA IF EXISTS copy_round_trip CASCADE"));
    const QString server = test::serverUrl() + QStringLiteral("?schema=copy_round_trip");
    const QString back = dir.filePath(QStringLiteral("back.DAT"));

    QString message;
    EXPECT_EQ(runDbCommand({ QStringLiteral("copy"), source, server }, &message), 0) << message.toStdString();
    EXPECT_EQ(runDbCommand({ QStringLiteral("copy"), server, back }, &message), 0) << message.toStdString();
    // Nothing is overwritten unless asked.
    EXPECT_EQ(runDbCommand({ QStringLiteral("copy"), back, server }, &message), 1);
    EXPECT_TRUE(message.contains(QStringLiteral("--replace")));

    std::unique_ptr<Connection> a = Connection::open(source);
    std::unique_ptr<Connection> b = Connection::open(back);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(BookCopy::compare(*a, *b), QStringList());
    ASSERT_EQ(b->execute(QStringLiteral("Update 记账凭证内容 Set 金额 = 金额 + 0.01 Where 记录号 = 1 And 编号 = "
                                        "(Select Min(编号) From 记账凭证)")),
              1);
    const QStringList differences = BookCopy::compare(*a, *b);
    EXPECT_TRUE(differences.join(u' ').contains(QStringLiteral("记账凭证内容")))
        << differences.join(u' ').toStdString();
    admin->exec("DROP SCHEMA IF EXISTS copy_round_trip CASCADE");
}

TEST(ServerConnection, ABrokenSessionIsMadeAgainBetweenCommandsWithItsSettings)
{
    if (!test::onServer())
        GTEST_SKIP() << "server only: a server session that ends under the program";
    ServerBook book = *ServerBook::fromUrl(test::serverUrl());
    std::unique_ptr<Connection> seat = Connection::openServer(book);
    std::unique_ptr<Connection> admin = Connection::openServer(book);
    ASSERT_TRUE(seat && admin);
    seat->setBusyTimeout(1234);
    Seats::setOperator(QStringLiteral("王会计"));
    ASSERT_TRUE(Seats::announce(*seat));
    Statement pid = seat->prepare(QStringLiteral("Select pg_backend_pid()"));
    ASSERT_EQ(pid.step(), 1);
    const qint64 first = pid.columnInt64(0);
    pid.release();
    // As a restarted server or a dropped network would.
    Statement end = admin->prepare(QStringLiteral("Select pg_terminate_backend(?)"));
    end.bind(1, first);
    ASSERT_EQ(end.step(), 1);

    Statement again = seat->prepare(QStringLiteral("Select pg_backend_pid(), current_setting('lock_timeout')"));
    ASSERT_EQ(again.step(), 1);
    EXPECT_NE(again.columnInt64(0), first);
    EXPECT_EQ(again.column(1).toString(), QStringLiteral("1234ms"));
    // The other seats still see who works here.
    Statement name = seat->prepare(QStringLiteral("Select current_setting('application_name')"));
    ASSERT_EQ(name.step(), 1);
    EXPECT_EQ(Seats::seatOfApplicationName(name.column(0).toString()), Seats::seatName());
    EXPECT_TRUE(Seats::seatName().contains(QStringLiteral("王会计")));
    Seats::setOperator(QString());
}
