#include "accounts/ui/frmQCYE.h"

#include "controls/ui/ctlCashFormat.h"
#include "data/BookAccess.h"
#include "data/BookSettings.h"
#include "data/Numbers.h"
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "shell/ui/WriteRefusal.h"
#include "vouchers/PeriodClose.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRowHeight = 24;
const QString kDebit = QStringLiteral("借");
const QString kCredit = QStringLiteral("贷");

ctlCashFormat* makeAmount(QWidget* parent, const QString& name, bool entry)
{
    auto* cash = new ctlCashFormat(parent);
    cash->setObjectName(name);
    cash->loadProperties(0.0, entry);
    cash->setFixedHeight(kRowHeight - 2);
    return cash;
}

QString yuanText(qint64 cents)
{
    const qint64 m = cents < 0 ? -cents : cents;
    return QStringLiteral("%1.%2").arg(m / 100).arg(m % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

frmQCYE::frmQCYE(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmQCYE"));
    setWindowTitle(QStringLiteral("期初余额"));

    m_lblState = new QLabel(this);
    m_lblState->setObjectName(QStringLiteral("lblState"));

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("treQCYE"));
    m_tree->setColumnCount(4);
    m_tree->setHeaderLabels(
        { QStringLiteral("科目编号"), QStringLiteral("科目名称"), QStringLiteral("方向"), QStringLiteral("期初余额") });
    m_tree->setUniformRowHeights(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_tree->setColumnWidth(0, 120);
    m_tree->setColumnWidth(2, 56);
    m_tree->setColumnWidth(3, 130);

    auto* totals = new QHBoxLayout;
    totals->addWidget(new QLabel(QStringLiteral("借方合计"), this));
    m_csfDebit = makeAmount(this, QStringLiteral("csfDebit"), false);
    totals->addWidget(m_csfDebit);
    totals->addSpacing(12);
    totals->addWidget(new QLabel(QStringLiteral("贷方合计"), this));
    m_csfCredit = makeAmount(this, QStringLiteral("csfCredit"), false);
    totals->addWidget(m_csfCredit);
    totals->addSpacing(12);
    m_lblTrial = new QLabel(this);
    m_lblTrial->setObjectName(QStringLiteral("lblTrial"));
    totals->addWidget(m_lblTrial, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_cmdSave = new QPushButton(QStringLiteral("保存"), this);
    m_cmdSave->setObjectName(QStringLiteral("cmd_Save"));
    m_cmdSave->setToolTip(QStringLiteral("保存 (Ctrl+S)"));
    m_cmdSave->setShortcut(QKeySequence::Save);
    auto* quit = new QPushButton(QStringLiteral("关闭"), this);
    quit->setObjectName(QStringLiteral("cmd_Quit"));
    quit->setToolTip(QStringLiteral("关闭 (Esc)"));
    buttons->addWidget(m_cmdSave);
    buttons->addWidget(quit);
    connect(m_cmdSave, &QPushButton::clicked, this, &frmQCYE::save);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblState);
    layout->addWidget(m_tree, 1);
    layout->addLayout(totals);
    layout->addLayout(buttons);

    load();
    resize(660, 600);

    // Typing into an amount cell raises no signal of its own: the totals follow what is shown a few times a second.
    m_timer = new QTimer(this);
    m_timer->setInterval(250);
    connect(m_timer, &QTimer::timeout, this, &frmQCYE::refreshTotals);
    m_timer->start();
}

frmQCYE::~frmQCYE() = default;

void frmQCYE::load()
{
    kessory::Connection* connection = basDBOperate::cnnDB.get();
    const QList<kessory::Openings::Row> rows = kessory::Openings::chartRows(connection);
    const std::map<QString, qint64> stored = kessory::Openings::all(connection);
    const int closed = kessory::PeriodClose::lastClosedMonth(connection);
    const bool editable = closed == 0 && !kessory::BookAccess::isReadOnly(connection);

    QList<QTreeWidgetItem*> items;
    for (const kessory::Openings::Row& row : rows) {
        QTreeWidgetItem* parentItem = row.parent >= 0 ? items[row.parent] : nullptr;
        auto* item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(m_tree);
        item->setText(0, row.code);
        item->setText(1, row.name);
        item->setSizeHint(0, QSize(0, kRowHeight));
        item->setTextAlignment(2, Qt::AlignCenter);
        items << item;
        if (row.leaf) {
            auto* side = new QComboBox(m_tree);
            side->setObjectName(QStringLiteral("cmbFX_") + row.code);
            side->addItems({ kDebit, kCredit });
            auto* amount = makeAmount(m_tree, QStringLiteral("csfQC_") + row.code, editable);
            const auto found = stored.find(row.code);
            const qint64 cents = found == stored.end() ? 0 : found->second;
            // The balance side unless the stored opening lies on the other one.
            const bool credit = cents == 0 ? row.creditSide : cents > 0;
            side->setCurrentIndex(credit ? 1 : 0);
            side->setEnabled(editable);
            amount->setValue(kessory::fromCents(cents < 0 ? -cents : cents));
            m_tree->setItemWidget(item, 2, side);
            m_tree->setItemWidget(item, 3, amount);
            m_leaves[row.code] = Leaf { side, amount };
        } else {
            auto* amount = makeAmount(m_tree, QStringLiteral("csfQC_") + row.code, false);
            m_tree->setItemWidget(item, 3, amount);
            m_parents[row.code] = Parent { item, amount, row.creditSide };
        }
    }
    m_tree->expandAll();
    for (const auto& [code, cents] : stored) {
        if (m_leaves.count(code) == 0)
            m_elsewhere[code] = cents;
    }

    const int year = kessory::BookSettings::bookYear(connection);
    if (!editable && closed == 0)
        m_lblState->setText(QStringLiteral("%1年期初余额（只读账簿，只能查看）").arg(year));
    else if (closed > 0)
        m_lblState->setText(
            QStringLiteral("%1年期初余额（%2月已结账，只能查看；反结账至1月之前方可修改）").arg(year).arg(closed));
    else
        m_lblState->setText(QStringLiteral("%1年期初余额：在末级科目上录入，上级科目自动汇总。").arg(year));
    m_cmdSave->setEnabled(editable);
    refreshTotals();
}

std::map<QString, qint64> frmQCYE::typed() const
{
    std::map<QString, qint64> result;
    for (const auto& [code, leaf] : m_leaves) {
        const qint64 cents = kessory::toCents(leaf.amount->Value());
        result[code] = leaf.side->currentIndex() == 1 ? cents : -cents;
    }
    return result;
}

void frmQCYE::setTyped(const QString& code, qint64 cents)
{
    const auto found = m_leaves.find(code);
    if (found == m_leaves.end())
        return;
    if (cents != 0)
        found->second.side->setCurrentIndex(cents > 0 ? 1 : 0);
    found->second.amount->setValue(kessory::fromCents(cents < 0 ? -cents : cents));
    refreshTotals();
}

void frmQCYE::refreshTotals()
{
    std::map<QString, qint64> now = typed();
    if (now == m_shown && !m_shown.empty())
        return;
    m_shown = now;
    for (const auto& [code, cents] : m_elsewhere)
        now[code] += cents;
    for (auto& [code, parent] : m_parents) {
        const qint64 sum = kessory::Openings::sumUnder(now, code);
        parent.amount->setValue(kessory::fromCents(sum < 0 ? -sum : sum));
        parent.item->setText(2, sum == 0 ? QStringLiteral("平") : (sum > 0 ? kCredit : kDebit));
    }
    const kessory::Openings::TrialBalance trial = kessory::Openings::trialBalance(now);
    m_csfDebit->setValue(kessory::fromCents(trial.debit));
    m_csfCredit->setValue(kessory::fromCents(trial.credit));
    QPalette p = m_lblTrial->palette();
    if (trial.holds()) {
        m_lblTrial->setText(QStringLiteral("试算平衡"));
        p.setColor(QPalette::WindowText, QColor(0, 128, 0));
    } else {
        const qint64 diff = trial.debit - trial.credit;
        m_lblTrial->setText(
            QStringLiteral("试算不平衡：%1方多 %2 元").arg(diff > 0 ? kDebit : kCredit, yuanText(diff)));
        p.setColor(QPalette::WindowText, Qt::red);
    }
    m_lblTrial->setPalette(p);
}

bool frmQCYE::save()
{
    if (kessory::refuseWhenReadOnly())
        return false;
    refreshTotals();
    const kessory::Openings::TrialBalance trial = kessory::Openings::trialBalance(typed());
    if (!trial.holds()
        && !kessory::Msg::ask(QStringLiteral("期初余额试算不平衡（借方 %1 元，贷方 %2 元），是否仍然保存？")
                                  .arg(yuanText(trial.debit), yuanText(trial.credit)),
                              QStringLiteral("提示"))) {
        return false;
    }
    QString error;
    if (!kessory::Openings::write(basDBOperate::cnnDB.get(), typed(), &error)) {
        kessory::Msg::show(error, QStringLiteral("提示"));
        return false;
    }
    kessory::Msg::show(QStringLiteral("期初余额保存成功。"), QStringLiteral("提示"));
    return true;
}
