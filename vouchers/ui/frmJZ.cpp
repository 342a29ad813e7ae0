#include "vouchers/ui/frmJZ.h"

#include "data/BookSettings.h"
#include "data/Numbers.h"
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "shell/ui/WindowHost.h"
#include "shell/ui/WriteRefusal.h"
#include "vouchers/PeriodClose.h"
#include "vouchers/ProfitTransfer.h"
#include "vouchers/ui/frmPZ.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kessory {

bool draftProfitTransfer()
{
    if (refuseWhenReadOnly())
        return false;
    Connection* connection = basDBOperate::cnnDB.get();
    const int month = PeriodClose::firstOpenMonth(connection);
    if (month > 12) {
        Msg::show(QStringLiteral("本年各月均已结账，无需结转损益。"), QStringLiteral("提示"));
        return false;
    }
    const ProfitTransfer::Voucher draft = ProfitTransfer::build(connection, month);
    if (!draft.error.isEmpty()) {
        Msg::show(draft.error, QStringLiteral("提示"));
        return false;
    }
    QList<typVoucherLine> lines;
    for (const ProfitTransfer::Line& l : draft.lines) {
        typVoucherLine line;
        line.摘要 = draft.summary;
        line.科目代码 = l.code;
        line.科目名称 = l.name;
        line.方向 = l.credit;
        line.金额 = fromCents(l.cents);
        lines << line;
    }
    auto* window = qobject_cast<frmPZ*>(WindowHost::instance().open(WindowKind::PZ));
    return window && window->loadNewVoucher(QStringLiteral("转"), draft.date, lines);
}

} // namespace kessory

frmJZ::frmJZ(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmJZ"));
    setWindowTitle(QStringLiteral("月末结账"));

    m_lblYear = new QLabel(this);
    m_lblYear->setObjectName(QStringLiteral("lblYear"));
    m_months = new QTableWidget(12, 2, this);
    m_months->setObjectName(QStringLiteral("tblMonths"));
    m_months->setHorizontalHeaderLabels({ QStringLiteral("月份"), QStringLiteral("状态") });
    m_months->verticalHeader()->hide();
    m_months->verticalHeader()->setDefaultSectionSize(24);
    m_months->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_months->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_months->setSelectionMode(QAbstractItemView::NoSelection);
    m_months->setFocusPolicy(Qt::NoFocus);

    auto* transfer = new QPushButton(QStringLiteral("结转损益"), this);
    transfer->setObjectName(QStringLiteral("cmd_JZSY"));
    transfer->setToolTip(QStringLiteral("生成本月损益结转凭证，在凭证管理器中核对后保存"));
    m_cmdClose = new QPushButton(QStringLiteral("结账"), this);
    m_cmdClose->setObjectName(QStringLiteral("cmd_JZ"));
    m_cmdReopen = new QPushButton(QStringLiteral("反结账"), this);
    m_cmdReopen->setObjectName(QStringLiteral("cmd_FJZ"));
    auto* quit = new QPushButton(QStringLiteral("关闭"), this);
    quit->setObjectName(QStringLiteral("cmd_Quit"));
    connect(transfer, &QPushButton::clicked, this, [this] {
        if (kessory::draftProfitTransfer())
            accept();
    });
    connect(m_cmdClose, &QPushButton::clicked, this, &frmJZ::closeMonth);
    connect(m_cmdReopen, &QPushButton::clicked, this, &frmJZ::reopenMonth);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : { transfer, m_cmdClose, m_cmdReopen })
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(quit);
    auto* body = new QHBoxLayout;
    body->addWidget(m_months, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblYear);
    layout->addLayout(body, 1);
    resize(400, 390);
    refresh();
}

frmJZ::~frmJZ() = default;

void frmJZ::refresh()
{
    kessory::Connection* connection = basDBOperate::cnnDB.get();
    const int closed = kessory::PeriodClose::lastClosedMonth(connection);
    const int year = kessory::BookSettings::bookYear(connection);
    m_lblYear->setText(closed >= 12 ? QStringLiteral("%1年各月均已结账。").arg(year)
                                    : QStringLiteral("%1年，下一个结账月份：%2月").arg(year).arg(closed + 1));
    for (int m = 1; m <= 12; ++m) {
        auto* month = new QTableWidgetItem(QStringLiteral("%1月").arg(m));
        month->setTextAlignment(Qt::AlignCenter);
        auto* state = new QTableWidgetItem(m <= closed ? QStringLiteral("已结账") : QStringLiteral("未结账"));
        state->setTextAlignment(Qt::AlignCenter);
        if (m <= closed)
            state->setForeground(QColor(0, 110, 0));
        m_months->setItem(m - 1, 0, month);
        m_months->setItem(m - 1, 1, state);
    }
    m_cmdClose->setEnabled(closed < 12);
    m_cmdReopen->setEnabled(closed > 0);
}

bool frmJZ::closeMonth()
{
    if (kessory::refuseWhenReadOnly())
        return false;
    const kessory::PeriodClose::Result result = kessory::PeriodClose::closeNextMonth(basDBOperate::cnnDB.get());
    kessory::Msg::show(result.message, QStringLiteral("提示"));
    refresh();
    return result.ok;
}

bool frmJZ::reopenMonth()
{
    if (kessory::refuseWhenReadOnly())
        return false;
    kessory::Connection* connection = basDBOperate::cnnDB.get();
    const int month = kessory::PeriodClose::lastClosedMonth(connection);
    if (month == 0) {
        kessory::Msg::show(QStringLiteral("没有已结账的月份。"), QStringLiteral("提示"));
        return false;
    }
    if (!kessory::Msg::ask(
            QStringLiteral("是否取消%1年%2月的结账？").arg(kessory::BookSettings::bookYear(connection)).arg(month),
            QStringLiteral("反结账"))) {
        return false;
    }
    const kessory::PeriodClose::Result result = kessory::PeriodClose::reopenLastMonth(connection);
    kessory::Msg::show(result.message, QStringLiteral("提示"));
    refresh();
    return result.ok;
}
