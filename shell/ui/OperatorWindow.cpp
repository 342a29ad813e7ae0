#include "shell/ui/OperatorWindow.h"

#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "shell/Operators.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kessory {
namespace {

const QString kTitle = QStringLiteral("提示");

QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

OperatorWindow::OperatorWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOperators"));
    setWindowTitle(QStringLiteral("操作员管理"));
    auto* top = new QHBoxLayout(this);

    m_list = new QTableWidget(0, 3, this);
    m_list->setObjectName(QStringLiteral("mfgOperators"));
    m_list->setHorizontalHeaderLabels({ QStringLiteral("姓名"), QStringLiteral("角色"), QStringLiteral("状态") });
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setMinimumWidth(300);
    top->addWidget(m_list, 1);

    auto* side = new QVBoxLayout;
    auto* form = new QFormLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtName"));
    m_name->setMaxLength(20);
    m_role = new QComboBox(this);
    m_role->setObjectName(QStringLiteral("cmbRole"));
    for (Operators::Role r : { Operators::Role::Manager, Operators::Role::Accountant, Operators::Role::Cashier })
        m_role->addItem(Operators::roleName(r), static_cast<int>(r));
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("txtPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(64);
    m_password->setPlaceholderText(QStringLiteral("修改时留空则不改口令"));
    m_confirm = new QLineEdit(this);
    m_confirm->setObjectName(QStringLiteral("txtConfirm"));
    m_confirm->setEchoMode(QLineEdit::Password);
    m_confirm->setMaxLength(64);
    m_disabled = new QCheckBox(QStringLiteral("停用"), this);
    m_disabled->setObjectName(QStringLiteral("chkDisabled"));
    form->addRow(QStringLiteral("姓名："), m_name);
    form->addRow(QStringLiteral("角色："), m_role);
    form->addRow(QStringLiteral("口令："), m_password);
    form->addRow(QStringLiteral("确认口令："), m_confirm);
    form->addRow(QString(), m_disabled);
    side->addLayout(form);
    QPushButton* add = button(this, "cmdAdd", QStringLiteral("新增"));
    QPushButton* change = button(this, "cmdChange", QStringLiteral("修改"));
    QPushButton* close = button(this, "cmdClose", QStringLiteral("关闭"));
    side->addWidget(add);
    side->addWidget(change);
    side->addStretch(1);
    side->addWidget(close);
    top->addLayout(side);

    connect(add, &QPushButton::clicked, this, &OperatorWindow::addOperator);
    connect(change, &QPushButton::clicked, this, &OperatorWindow::changeOperator);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QTableWidget::itemSelectionChanged, this, &OperatorWindow::showSelected);
    // The form comes first: the list is reached last with Tab.
    const QList<QWidget*> order { m_name, m_role, m_password, m_confirm, m_disabled, add, change, close, m_list };
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    m_name->setFocus();
    resize(620, 320);
    reload();
}

void OperatorWindow::reload(const QString& select)
{
    const QList<Operators::Operator> all = Operators::all(basDBOperate::cnnDB.get());
    m_list->setRowCount(0);
    for (const Operators::Operator& op : all) {
        const int row = m_list->rowCount();
        m_list->insertRow(row);
        m_list->setItem(row, 0, new QTableWidgetItem(op.name));
        m_list->setItem(row, 1, new QTableWidgetItem(Operators::roleName(op.role)));
        m_list->setItem(row, 2, new QTableWidgetItem(op.disabled ? QStringLiteral("停用") : QStringLiteral("正常")));
        if (op.name == select)
            m_list->selectRow(row);
    }
    if (all.isEmpty())
        m_role->setCurrentIndex(0); // the first operator is a 主管
}

void OperatorWindow::showSelected()
{
    const QList<QTableWidgetItem*> items = m_list->selectedItems();
    if (items.isEmpty())
        return;
    const int row = items.first()->row();
    const auto op = Operators::find(basDBOperate::cnnDB.get(), m_list->item(row, 0)->text());
    if (!op)
        return;
    m_name->setText(op->name);
    m_role->setCurrentIndex(m_role->findData(static_cast<int>(op->role)));
    m_disabled->setChecked(op->disabled);
    m_password->clear();
    m_confirm->clear();
}

bool OperatorWindow::passwordsAgree()
{
    if (m_password->text() == m_confirm->text())
        return true;
    Msg::show(QStringLiteral("两次输入的口令不一致。"), kTitle);
    m_confirm->clear();
    m_confirm->setFocus();
    return false;
}

void OperatorWindow::addOperator()
{
    if (!passwordsAgree())
        return;
    const bool first = !Operators::anyDefined(basDBOperate::cnnDB.get());
    const auto role = static_cast<Operators::Role>(m_role->currentData().toInt());
    const QString why = Operators::add(basDBOperate::cnnDB.get(), m_name->text(), role, m_password->text());
    if (!why.isEmpty()) {
        Msg::show(why, kTitle);
        return;
    }
    Msg::show(first ? QStringLiteral("操作员已添加。从下次启动起，程序将要求登录。") : QStringLiteral("操作员已添加。"),
              kTitle);
    m_password->clear();
    m_confirm->clear();
    reload(m_name->text().trimmed());
}

void OperatorWindow::changeOperator()
{
    const QString name = m_name->text().trimmed();
    if (!Operators::find(basDBOperate::cnnDB.get(), name)) {
        Msg::show(QStringLiteral("请先在列表中选择要修改的操作员。"), kTitle);
        return;
    }
    if (!passwordsAgree())
        return;
    const auto role = static_cast<Operators::Role>(m_role->currentData().toInt());
    const QString why
        = Operators::change(basDBOperate::cnnDB.get(), name, role, m_disabled->isChecked(), m_password->text());
    if (!why.isEmpty()) {
        Msg::show(why, kTitle);
        return;
    }
    Msg::show(QStringLiteral("操作员已修改。"), kTitle);
    m_password->clear();
    m_confirm->clear();
    reload(name);
}

} // namespace kessory
