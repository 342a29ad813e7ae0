#include "shell/ui/BookLocationDialog.h"

#include "data/ServerProbe.h"
#include "shell/Msg.h"

#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kessory {
namespace {

const QString kTitle = QStringLiteral("账簿位置");

QLineEdit* field(QWidget* parent, const char* name, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

BookLocationDialog::BookLocationDialog(const QString& programFolder, QWidget* parent)
    : QDialog(parent)
    , m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("dlgBookLocation"));
    setWindowTitle(kTitle);
    BookLocation now;
    readBookLocation(programFolder, &now, nullptr);

    auto* box = new QGroupBox(QStringLiteral("程序启动时打开的账簿"), this);
    box->setObjectName(QStringLiteral("fraLocation"));
    auto* boxLayout = new QVBoxLayout(box);

    m_file = new QRadioButton(QStringLiteral("本机数据文件"), box);
    m_file->setObjectName(QStringLiteral("optFile"));
    boxLayout->addWidget(m_file);
    m_fileFields = new QWidget(box);
    auto* fileRow = new QHBoxLayout(m_fileFields);
    fileRow->setContentsMargins(24, 0, 0, 6);
    m_path = field(m_fileFields, "txtFile", QDir::toNativeSeparators(now.file));
    m_path->setMinimumWidth(300);
    QPushButton* browse = button(m_fileFields, "cmdBrowse", QStringLiteral("浏览..."));
    fileRow->addWidget(m_path, 1);
    fileRow->addWidget(browse);
    boxLayout->addWidget(m_fileFields);

    m_server = new QRadioButton(QStringLiteral("PostgreSQL 服务器（多个工位共用一套账）"), box);
    m_server->setObjectName(QStringLiteral("optServer"));
    boxLayout->addWidget(m_server);
    m_serverFields = new QWidget(box);
    auto* form = new QFormLayout(m_serverFields);
    form->setContentsMargins(24, 0, 0, 0);
    const ServerBook& s = now.server;
    m_host = field(m_serverFields, "txtHost", s.host);
    m_port = new QSpinBox(m_serverFields);
    m_port->setObjectName(QStringLiteral("spnPort"));
    m_port->setRange(1, 65535);
    m_port->setValue(s.port);
    m_database = field(m_serverFields, "txtDatabase", s.database);
    m_user = field(m_serverFields, "txtUser", s.user);
    m_user->setPlaceholderText(QStringLiteral("空白时为本机登录用户"));
    m_schema = field(m_serverFields, "txtSchema", s.schema);
    form->addRow(QStringLiteral("主机："), m_host);
    form->addRow(QStringLiteral("端口："), m_port);
    form->addRow(QStringLiteral("数据库："), m_database);
    form->addRow(QStringLiteral("用户："), m_user);
    form->addRow(QStringLiteral("模式（schema）："), m_schema);
    boxLayout->addWidget(m_serverFields);

    (now.engine == Engine::Postgres ? m_server : m_file)->setChecked(true);

    QPushButton* test = button(this, "cmdTest", QStringLiteral("测试连接"));
    QPushButton* ok = button(this, "cmdOK", QStringLiteral("确定"));
    QPushButton* cancel = button(this, "cmdCancel", QStringLiteral("取消"));
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(test);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(buttons);

    connect(m_file, &QRadioButton::toggled, this, &BookLocationDialog::showChoice);
    connect(browse, &QPushButton::clicked, this, &BookLocationDialog::browse);
    connect(test, &QPushButton::clicked, this, &BookLocationDialog::testConnection);
    connect(ok, &QPushButton::clicked, this, &BookLocationDialog::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    showChoice();
}

BookLocation BookLocationDialog::location() const
{
    BookLocation l;
    l.engine = m_server->isChecked() ? Engine::Postgres : Engine::Sqlite;
    const QString path = QDir::fromNativeSeparators(m_path->text().trimmed());
    l.file = path.isEmpty() ? QString()
                            : QDir::cleanPath(QDir(m_programFolder + QStringLiteral("/DATA")).absoluteFilePath(path));
    l.server.host = m_host->text().trimmed();
    l.server.port = m_port->value();
    l.server.database = m_database->text().trimmed();
    l.server.user = m_user->text().trimmed();
    l.server.schema = m_schema->text().trimmed().isEmpty() ? QStringLiteral("public") : m_schema->text().trimmed();
    return l;
}

void BookLocationDialog::showChoice()
{
    m_fileFields->setEnabled(m_file->isChecked());
    m_serverFields->setEnabled(m_server->isChecked());
    findChild<QPushButton*>(QStringLiteral("cmdTest"))->setEnabled(m_server->isChecked());
}

void BookLocationDialog::browse()
{
    const QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("选择数据文件"), location().file,
                                                        QStringLiteral("数据文件 (*.DAT *.dat);;所有文件 (*)"));
    if (!chosen.isEmpty())
        m_path->setText(QDir::toNativeSeparators(chosen));
}

QString BookLocationDialog::incomplete() const
{
    const BookLocation l = location();
    if (l.engine == Engine::Sqlite)
        return l.file.isEmpty() ? QStringLiteral("请填写数据文件。") : QString();
    if (l.server.host.isEmpty())
        return QStringLiteral("请填写服务器的主机名或地址。");
    if (l.server.database.isEmpty())
        return QStringLiteral("请填写数据库名。");
    return {};
}

void BookLocationDialog::testConnection()
{
    if (const QString missing = incomplete(); !missing.isEmpty()) {
        Msg::show(missing, kTitle);
        return;
    }
    ServerBook book = location().server;
    ServerProbe probe = probeServerBook(book);
    // The password is asked for this trial only; it is never kept.
    for (int tries = 0; probe.kind == ServerProbe::Kind::NeedsPassword; ++tries) {
        const std::optional<QString> password = Msg::askPassword(
            tries == 0 ? QStringLiteral("请输入账簿服务器 %1 的口令：").arg(book.label())
                       : QStringLiteral("口令不正确，请重新输入账簿服务器 %1 的口令：").arg(book.label()),
            QStringLiteral("测试连接"));
        if (!password)
            return;
        book.password = *password;
        probe = probeServerBook(book);
    }
    Msg::show(probe.message, QStringLiteral("测试连接"));
}

void BookLocationDialog::save()
{
    if (const QString missing = incomplete(); !missing.isEmpty()) {
        Msg::show(missing, kTitle);
        return;
    }
    QString why;
    if (!writeBookLocation(m_programFolder, location(), &why)) {
        Msg::show(why, kTitle);
        return;
    }
    Msg::show(QStringLiteral("账簿位置已保存。请退出并重新启动程序，新的账簿位置才会生效。"), kTitle);
    accept();
}

} // namespace kessory
