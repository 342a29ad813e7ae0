#include "statements/ui/FormulaDetail.h"

#include "ledgers/ui/frmMXZ.h"
#include "shell/ui/WindowHost.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kessory {
namespace {

constexpr int kCodeRole = Qt::UserRole;

QString captionOfLine(const StatementReport& report, int line)
{
    for (const StatementLine& l : report.lines) {
        if (l.line == line)
            return l.row.caption.trimmed();
    }
    return {};
}

QTableWidgetItem* item(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* i = new QTableWidgetItem(text);
    i->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    i->setTextAlignment(alignment);
    return i;
}

} // namespace

FormulaDetail::FormulaDetail(const StatementLine& line, std::size_t column, const QString& columnName,
                             StatementPeriod months, const StatementReport& report, QWidget* parent)
    : QDialog(parent)
    , m_months(months)
{
    setObjectName(QStringLiteral("frmFormulaDetail"));
    setAttribute(Qt::WA_DeleteOnClose);
    const StatementCell& cell = line.cells[column];
    const QString caption = line.row.caption.trimmed();
    setWindowTitle(QStringLiteral("取数公式 - %1 %2").arg(caption, columnName));

    auto* layout = new QVBoxLayout(this);
    const QString period = months.start == months.end ? QStringLiteral("%1月").arg(months.end)
                                                      : QStringLiteral("%1月至%2月").arg(months.start).arg(months.end);
    auto* heading = new QLabel(
        QStringLiteral("%1（行次%2）%3，会计期间 %4").arg(caption).arg(line.line).arg(columnName, period), this);
    heading->setObjectName(QStringLiteral("lblLine"));
    auto* formula = new QLabel(QStringLiteral("公式：%1").arg(cell.formula), this);
    formula->setObjectName(QStringLiteral("lblFormula"));
    formula->setWordWrap(true);
    formula->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* result = new QLabel(this);
    result->setObjectName(QStringLiteral("lblResult"));
    result->setWordWrap(true);
    if (cell.state == StatementCell::State::Error) {
        result->setText(QStringLiteral("公式错误：%1").arg(cell.error));
        result->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));
    } else {
        result->setText(QStringLiteral("结果：%1").arg(moneyText(cell.cents)));
    }
    layout->addWidget(heading);
    layout->addWidget(formula);
    layout->addWidget(result);

    m_parts = new QTableWidget(static_cast<int>(cell.parts.size()), 4, this);
    m_parts->setObjectName(QStringLiteral("mfgParts"));
    m_parts->setHorizontalHeaderLabels({ QStringLiteral("取数"), QStringLiteral("科目编号"),
                                         QStringLiteral("科目名称 / 项目"), QStringLiteral("金额") });
    m_parts->verticalHeader()->hide();
    m_parts->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_parts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_parts->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_parts->setSelectionMode(QAbstractItemView::SingleSelection);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    int r = 0;
    for (const FormulaPart& part : cell.parts) {
        if (part.function.isEmpty()) {
            m_parts->setItem(r, 0, item(QStringLiteral("行次%1").arg(part.line)));
            m_parts->setItem(r, 1, item(QString()));
            m_parts->setItem(r, 2, item(captionOfLine(report, part.line)));
        } else {
            QTableWidgetItem* code = item(part.account.isEmpty() ? QStringLiteral("全部") : part.account);
            code->setData(kCodeRole, part.account);
            m_parts->setItem(r, 0, item(part.function));
            m_parts->setItem(r, 1, code);
            m_parts->setItem(r, 2, item(part.account.isEmpty() ? QStringLiteral("所有科目") : part.accountName));
            if (!part.account.isEmpty()) {
                for (int c = 0; c < 3; ++c)
                    m_parts->item(r, c)->setToolTip(QStringLiteral("双击打开 %1 的明细账").arg(part.account));
            }
        }
        m_parts->setItem(r, 3, item(moneyText(part.cents), right));
        ++r;
    }
    m_parts->setColumnWidth(0, 90);
    m_parts->setColumnWidth(1, 80);
    m_parts->setColumnWidth(2, 200);
    m_parts->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_parts);
    connect(m_parts, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { openLedger(row); });

    auto* hint = new QLabel(QStringLiteral("余额按科目的余额方向取正负；双击科目打开它的明细账。"), this);
    hint->setObjectName(QStringLiteral("lblHint"));
    layout->addWidget(hint);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("cmd_Quit"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(560, 380);
}

void FormulaDetail::openLedger(int row)
{
    const QTableWidgetItem* code = m_parts->item(row, 1);
    const QString account = code ? code->data(kCodeRole).toString() : QString();
    if (account.isEmpty())
        return;
    const QString name = m_parts->item(row, 2)->text();
    auto* ledger = qobject_cast<frmMXZ*>(WindowHost::instance().open(WindowKind::MXZ));
    if (!ledger)
        return;
    // The detail ledger shows one month or the whole year.
    ledger->showAccount(account, name, static_cast<qint16>(m_months.start == m_months.end ? m_months.end : 0));
}

} // namespace kessory
