#include "shell/ui/ChangeLogWindow.h"

#include "data/basDBOperate.h"
#include "output/ui/OutputActions.h"
#include "shell/ChangeLogDocument.h"
#include "shell/Clock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kessory {

ChangeLogWindow::ChangeLogWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLog"));
    setWindowTitle(QStringLiteral("操作日志"));
    auto* layout = new QVBoxLayout(this);

    auto* filters = new QHBoxLayout;
    m_byDate = new QCheckBox(QStringLiteral("日期"), this);
    m_byDate->setObjectName(QStringLiteral("chkDate"));
    const QDate today = Clock::now().date();
    m_from = new QDateEdit(QDate(today.year(), today.month(), 1), this);
    m_from->setObjectName(QStringLiteral("dtFrom"));
    m_to = new QDateEdit(today, this);
    m_to->setObjectName(QStringLiteral("dtTo"));
    for (QDateEdit* d : { m_from, m_to }) {
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        d->setCalendarPopup(true);
        d->setEnabled(false);
        d->setMinimumWidth(120);
    }
    connect(m_byDate, &QCheckBox::toggled, m_from, &QWidget::setEnabled);
    connect(m_byDate, &QCheckBox::toggled, m_to, &QWidget::setEnabled);
    m_operator = new QComboBox(this);
    m_operator->setObjectName(QStringLiteral("cmbOperator"));
    m_operator->addItem(QStringLiteral("（全部）"));
    if (basDBOperate::cnnDB)
        m_operator->addItems(ChangeLog::operatorNames(*basDBOperate::cnnDB));
    m_voucher = new QLineEdit(this);
    m_voucher->setObjectName(QStringLiteral("txtVoucher"));
    m_voucher->setPlaceholderText(QStringLiteral("如 记7"));
    m_voucher->setMaxLength(12);
    m_voucher->setMaximumWidth(90);
    auto* find = new QPushButton(QStringLiteral("查询"), this);
    find->setObjectName(QStringLiteral("cmdQuery"));
    // 打印 and 导出 (PDF, XLSX or CSV by the file's extension) of the rows listed.
    const OutputButtons output = installOutput(
        this,
        [this](OutputJob& job) {
            job.tables.push_back(changeLogDocument(m_rows, filterText()));
            job.fileName = QStringLiteral("操作日志");
            return true;
        },
        this);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    filters->addWidget(m_byDate);
    filters->addWidget(m_from);
    filters->addWidget(new QLabel(QStringLiteral("至"), this));
    filters->addWidget(m_to);
    filters->addSpacing(8);
    filters->addWidget(new QLabel(QStringLiteral("操作员"), this));
    filters->addWidget(m_operator);
    filters->addSpacing(8);
    filters->addWidget(new QLabel(QStringLiteral("凭证"), this));
    filters->addWidget(m_voucher);
    filters->addStretch(1);
    filters->addWidget(find);
    filters->addWidget(output.print);
    filters->addWidget(output.exportFile);
    filters->addWidget(close);
    layout->addLayout(filters);

    m_grid = new QTableWidget(0, 8, this);
    m_grid->setObjectName(QStringLiteral("mfgLog"));
    m_grid->setHorizontalHeaderLabels({ QStringLiteral("序号"), QStringLiteral("时间"), QStringLiteral("操作员"),
                                        QStringLiteral("动作"), QStringLiteral("对象类型"), QStringLiteral("对象"),
                                        QStringLiteral("说明"), QStringLiteral("摘要") });
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 8);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_grid, 1);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblCount"));
    layout->addWidget(m_count);

    connect(find, &QPushButton::clicked, this, &ChangeLogWindow::query);
    connect(m_voucher, &QLineEdit::returnPressed, this, &ChangeLogWindow::query);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(940, 560);
    query();
}

void ChangeLogWindow::query()
{
    ChangeLog::Filter filter;
    if (m_byDate->isChecked()) {
        filter.from = m_from->date();
        filter.to = m_to->date();
    }
    if (m_operator->currentIndex() > 0)
        filter.operatorName = m_operator->currentText();
    filter.voucher = m_voucher->text();
    m_rows = basDBOperate::cnnDB ? ChangeLog::rows(*basDBOperate::cnnDB, filter) : QList<ChangeLog::Row>();
    m_grid->setRowCount(static_cast<int>(m_rows.size()));
    for (int i = 0; i < m_rows.size(); ++i) {
        const ChangeLog::Row& r = m_rows[i];
        const QStringList cells { QString::number(r.seq), r.time, r.operatorName, r.action, r.kind, r.target, r.note,
                                  r.digest.left(16) };
        for (int c = 0; c < cells.size(); ++c)
            m_grid->setItem(i, c, new QTableWidgetItem(cells[c]));
    }
    m_grid->resizeColumnsToContents();
    m_grid->scrollToBottom(); // the latest rows first in view
    m_count->setText(QStringLiteral("共 %1 条").arg(m_rows.size()));
}

QString ChangeLogWindow::filterText() const
{
    QStringList parts;
    if (m_byDate->isChecked())
        parts << QStringLiteral("日期：%1 至 %2")
                     .arg(m_from->date().toString(QStringLiteral("yyyy-MM-dd")),
                          m_to->date().toString(QStringLiteral("yyyy-MM-dd")));
    if (m_operator->currentIndex() > 0)
        parts << QStringLiteral("操作员：") + m_operator->currentText();
    if (!m_voucher->text().trimmed().isEmpty())
        parts << QStringLiteral("凭证：") + m_voucher->text().trimmed();
    return parts.isEmpty() ? QStringLiteral("全部记录") : parts.join(QStringLiteral("　"));
}

} // namespace kessory
