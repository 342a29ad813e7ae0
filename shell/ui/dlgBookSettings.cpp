#include "shell/ui/dlgBookSettings.h"

#include "data/Connection.h"
#include "data/basDBOperate.h"
#include "shell/BookSetup.h"
#include "shell/Msg.h"
#include "shell/ui/SingleLine.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

dlgBookSettings::dlgBookSettings(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgBookSettings"));
    setWindowTitle(QStringLiteral("账套设置"));
    kessory::Connection* connection = basDBOperate::cnnDB.get();
    const kessory::BookSetup::Values values = kessory::BookSetup::current(connection);

    m_year = new QSpinBox(this);
    m_year->setObjectName(QStringLiteral("spnYear"));
    m_year->setRange(1900, 9999);
    m_year->setValue(values.year);
    m_name = new QLineEdit(values.enterprise, this);
    m_name->setObjectName(QStringLiteral("txtName"));
    m_name->setMaxLength(100);
    kessory::keepOnOneLine(m_name);
    m_profit = new QComboBox(this);
    m_profit->setObjectName(QStringLiteral("cmbProfit"));
    if (connection) {
        kessory::Statement st
            = connection->prepare(QStringLiteral("Select 科目编号, 科目名称 From 财务科目 Order By 科目编号"));
        while (st.valid() && st.step() == 1) {
            const QString code = st.column(0).toString().trimmed();
            m_profit->addItem(code + QStringLiteral("  ") + st.column(1).toString(), code);
        }
    }
    m_profit->setCurrentIndex(m_profit->findData(values.profitAccount));
    m_profit->setMinimumWidth(260);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("会计年度："), m_year);
    form->addRow(QStringLiteral("单位名称："), m_name);
    form->addRow(QStringLiteral("本年利润科目："), m_profit);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmd_OK"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmd_Cancel"));
    connect(ok, &QPushButton::clicked, this, &dlgBookSettings::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    form->addRow(buttons);
}

dlgBookSettings::~dlgBookSettings() = default;

bool dlgBookSettings::save()
{
    const kessory::BookSetup::Values values { m_year->value(), m_name->text(), m_profit->currentData().toString() };
    const QString error = kessory::BookSetup::save(basDBOperate::cnnDB.get(), values);
    if (!error.isEmpty()) {
        kessory::Msg::show(error, QStringLiteral("提示"));
        return false;
    }
    accept();
    return true;
}
