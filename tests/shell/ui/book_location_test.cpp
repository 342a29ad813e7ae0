// Where the book is: the 账簿位置 window, and the start on a server book that asks for a password.
#include "data/BookLocation.h"
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "shell/basSysFunction.h"
#include "shell/ui/BookLocationDialog.h"
#include "shell/ui/mdiKessory.h"
#include "tests/support/GuiTest.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QtEndian>
#include <arpa/inet.h>
#include <atomic>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace kessory;
using kessory::test::GuiTest;
using kessory::test::TestDb;

namespace {

// A server that asks every connection for a password and refuses every one given, as PostgreSQL does (it speaks
// just enough of its protocol for libpq); it counts the passwords it was sent.
class PasswordServer {
public:
    PasswordServer()
    {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        bind(m_socket, reinterpret_cast<sockaddr*>(&address), size);
        listen(m_socket, 8);
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~PasswordServer()
    {
        shutdown(m_socket, SHUT_RDWR);
        close(m_socket);
        m_thread.join();
    }
    int port() const { return m_port; }
    int passwordsSent() const { return m_passwords; }

private:
    static bool readAll(int fd, char* to, std::size_t n)
    {
        while (n > 0) {
            const ssize_t got = read(fd, to, n);
            if (got <= 0)
                return false;
            to += got;
            n -= static_cast<std::size_t>(got);
        }
        return true;
    }
    static quint32 number(const char* p) { return qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(p)); }
    void serve()
    {
        for (;;) {
            const int fd = accept(m_socket, nullptr, nullptr);
            if (fd < 0)
                return;
            talk(fd);
            close(fd);
        }
    }
    void talk(int fd)
    {
        // SSL and GSS requests are declined, then comes the start-up packet.
        for (;;) {
            char head[8];
            if (!readAll(fd, head, 8))
                return;
            const quint32 length = number(head);
            const quint32 code = number(head + 4);
            if (length == 8 && (code == 80877103 || code == 80877104)) {
                if (write(fd, "N", 1) != 1)
                    return;
                continue;
            }
            QByteArray rest(static_cast<qsizetype>(length) - 8, '\0');
            if (!readAll(fd, rest.data(), static_cast<std::size_t>(rest.size())))
                return;
            break;
        }
        const char askCleartext[] = { 'R', 0, 0, 0, 8, 0, 0, 0, 3 };
        if (write(fd, askCleartext, sizeof askCleartext) != sizeof askCleartext)
            return;
        char type = 0;
        char length[4];
        if (!readAll(fd, &type, 1) || type != 'p' || !readAll(fd, length, 4))
            return;
        QByteArray password(static_cast<qsizetype>(number(length)) - 4, '\0');
        if (!readAll(fd, password.data(), static_cast<std::size_t>(password.size())))
            return;
        ++m_passwords;
        QByteArray fields = QByteArrayLiteral("SFATAL") + '\0' + QByteArrayLiteral("C28P01") + '\0'
            + QByteArrayLiteral("Mpassword authentication failed for user \"kessory\"") + '\0' + '\0';
        QByteArray error(1, 'E');
        const quint32 size = qToBigEndian<quint32>(static_cast<quint32>(fields.size() + 4));
        error += QByteArray(reinterpret_cast<const char*>(&size), 4) + fields;
        if (write(fd, error.constData(), static_cast<std::size_t>(error.size())) < 0)
            return;
    }

    int m_socket = -1;
    int m_port = 0;
    std::atomic<int> m_passwords { 0 };
    std::thread m_thread;
};

void pointAtServer(const QString& folder, int port)
{
    BookLocation location;
    location.engine = Engine::Postgres;
    location.server.host = QStringLiteral("127.0.0.1");
    location.server.port = port;
    location.server.database = QStringLiteral("books");
    location.server.user = QStringLiteral("kessory");
    QString why;
    ASSERT_TRUE(writeBookLocation(folder, location, &why)) << why.toStdString();
}

} // namespace

TEST(BookLocationStart, AServerBookAsksForItsPasswordThreeTimesThenTheProgramEnds)
{
    TestDb db(TestDb::Rows::None, false);
    PasswordServer server;
    pointAtServer(db.folder(), server.port());
    basDBOperate::bookLocation = {};
    for (const char* wrong : { "a", "b", "c" })
        Msg::queuePassword(QString::fromLatin1(wrong));
    const int exits = basSysFunction::exitCount();
    {
        mdiKessory window;
        EXPECT_FALSE(window.funLoad(db.folder()));
    }
    EXPECT_EQ(basSysFunction::exitCount(), exits + 1);
    EXPECT_EQ(server.passwordsSent(), 3);
    const QList<Msg::Shown> shown = Msg::shown();
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[0].text, QStringLiteral("请输入账簿服务器 kessory@127.0.0.1:%1/books 的口令：").arg(server.port()));
    EXPECT_TRUE(shown[1].text.startsWith(QStringLiteral("口令不正确，请重新输入")));
    EXPECT_EQ(shown[3].text, QStringLiteral("账簿服务器的口令3次均不正确，系统无法运行。"));
    // The password lives in memory only; the settings file never holds one.
    EXPECT_EQ(basDBOperate::bookLocation.server.password, QStringLiteral("c"));
    QFile conf(bookSettingsPath(db.folder()));
    ASSERT_TRUE(conf.open(QIODevice::ReadOnly));
    EXPECT_FALSE(conf.readAll().contains("password"));

    // 取消 ends the program at once; a server that cannot be reached says why.
    Msg::clearShown();
    basDBOperate::bookLocation = {};
    {
        mdiKessory window;
        EXPECT_FALSE(window.funLoad(db.folder()));
    }
    EXPECT_EQ(Msg::shown().last().text, QStringLiteral("未输入账簿服务器的口令，系统无法运行。"));
    pointAtServer(db.folder(), 1);
    {
        mdiKessory window;
        EXPECT_FALSE(window.funLoad(db.folder()));
    }
    EXPECT_TRUE(Msg::shown().last().text.startsWith(QStringLiteral("无法连接账簿服务器 kessory@127.0.0.1:1/books：")))
        << Msg::shown().last().text.toStdString();
    EXPECT_EQ(basSysFunction::exitCount(), exits + 3);
    basDBOperate::bookLocation = {};
}

TEST(BookLocationWindow, WritesTheServerBookAndThenTheFileAgain)
{
    TestDb db(TestDb::Rows::None);
    Msg::clearShown();
    {
        BookLocationDialog dialog(db.folder());
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        dialog.findChild<QRadioButton*>(QStringLiteral("optServer"))->setChecked(true);
        dialog.findChild<QLineEdit*>(QStringLiteral("txtHost"))->setText(QStringLiteral("db.example.com"));
        dialog.findChild<QSpinBox*>(QStringLiteral("spnPort"))->setValue(5433);
        dialog.findChild<QLineEdit*>(QStringLiteral("txtDatabase"))->setText(QString());
        dialog.findChild<QLineEdit*>(QStringLiteral("txtUser"))->setText(QStringLiteral("cashier"));
        dialog.findChild<QLineEdit*>(QStringLiteral("txtSchema"))->setText(QStringLiteral("acme"));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_EQ(Msg::shown().last().text, QStringLiteral("请填写数据库名。"));
        EXPECT_TRUE(dialog.isVisible());
        dialog.findChild<QLineEdit*>(QStringLiteral("txtDatabase"))->setText(QStringLiteral("books"));
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(Msg::shown().last().text, QStringLiteral("账簿位置已保存。请退出并重新启动程序，新的账簿位置才会生效。"));
    BookLocation read;
    ASSERT_TRUE(readBookLocation(db.folder(), &read, nullptr));
    EXPECT_EQ(read.engine, Engine::Postgres);
    EXPECT_EQ(read.server.url(), QStringLiteral("postgresql://cashier@db.example.com:5433/books?schema=acme"));

    // Back to the book file beside the program: the settings file goes.
    BookLocationDialog again(db.folder());
    EXPECT_TRUE(again.findChild<QRadioButton*>(QStringLiteral("optServer"))->isChecked());
    again.findChild<QRadioButton*>(QStringLiteral("optFile"))->setChecked(true);
    EXPECT_FALSE(again.findChild<QLineEdit*>(QStringLiteral("txtHost"))->isEnabled());
    QTest::mouseClick(again.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    EXPECT_FALSE(QFileInfo::exists(bookSettingsPath(db.folder())));
}
