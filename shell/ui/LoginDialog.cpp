#include "shell/ui/LoginDialog.h"

#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "shell/Operators.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kessory {

LoginDialog::LoginDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("登录 - %1").arg(Msg::programTitle()));
    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(QStringLiteral("请输入操作员姓名和口令。"), this);
    layout->addWidget(hint);
    auto* form = new QFormLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtName"));
    m_name->setMaxLength(20);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("txtPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(64);
    form->addRow(QStringLiteral("操作员："), m_name);
    form->addRow(QStringLiteral("口令："), m_password);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("登录"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("退出"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(ok, &QPushButton::clicked, this, &LoginDialog::tryLogin);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

void LoginDialog::tryLogin()
{
    const Operators::LoginResult result
        = Operators::login(basDBOperate::cnnDB.get(), m_name->text(), m_password->text());
    if (result == Operators::LoginResult::Ok) {
        accept();
        return;
    }
    ++m_wrong;
    m_password->clear();
    if (m_wrong >= kTries) {
        Msg::show(QStringLiteral("已三次登录失败，程序将退出。"), QStringLiteral("登录"));
        reject();
        return;
    }
    Msg::show(result == Operators::LoginResult::Disabled ? QStringLiteral("该操作员已停用，请换一位操作员登录。")
                                                         : QStringLiteral("操作员姓名或口令错误，请重新输入。"),
              QStringLiteral("登录"));
    m_password->setFocus();
}

} // namespace kessory
