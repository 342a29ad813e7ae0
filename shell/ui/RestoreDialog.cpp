#include "shell/ui/RestoreDialog.h"

#include "data/BookRestore.h"
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "shell/ui/WindowHost.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kessory {

RestoreDialog::RestoreDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmRestore"));
    setWindowTitle(QStringLiteral("恢复账簿"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("选择要恢复的备份。恢复前，当前账簿会先备份一份。"), this));
    m_backups = Backups::list(basDBOperate::strDBPath, true);
    m_grid = new QTableWidget(static_cast<int>(m_backups.size()), 3, this);
    m_grid->setObjectName(QStringLiteral("mfgBackups"));
    m_grid->setHorizontalHeaderLabels({ QStringLiteral("备份时间"), QStringLiteral("凭证数"), QStringLiteral("文件") });
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    for (int i = 0; i < m_backups.size(); ++i) {
        const Backups::Info& b = m_backups[i];
        m_grid->setItem(i, 0, new QTableWidgetItem(b.made.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
        auto* count = new QTableWidgetItem(b.vouchers < 0 ? QStringLiteral("无法读取") : QString::number(b.vouchers));
        count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_grid->setItem(i, 1, count);
        m_grid->setItem(i, 2, new QTableWidgetItem(QFileInfo(b.path).fileName()));
    }
    m_grid->resizeColumnsToContents();
    if (!m_backups.isEmpty())
        m_grid->selectRow(0);
    layout->addWidget(m_grid, 1);
    if (m_backups.isEmpty())
        layout->addWidget(new QLabel(QStringLiteral("还没有备份。"), this));

    auto* buttons = new QHBoxLayout;
    auto* restore = new QPushButton(QStringLiteral("恢复"), this);
    restore->setObjectName(QStringLiteral("cmdRestore"));
    restore->setEnabled(!m_backups.isEmpty());
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addStretch(1);
    buttons->addWidget(restore);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(restore, &QPushButton::clicked, this, [this] {
        if (restoreRow(m_grid->currentRow()))
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, 380);
}

bool RestoreDialog::restoreRow(int row)
{
    if (row < 0 || row >= m_backups.size())
        return false;
    const Backups::Info& b = m_backups[row];
    const QString when = b.made.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!Msg::ask(QStringLiteral("用 %1 的备份替换当前账簿吗？当前账簿会先备份。").arg(when),
                  QStringLiteral("恢复账簿")))
        return false;
    // Every window reads the book through recordsets of its own: they go before the book is replaced.
    WindowHost::instance().closeAll();
    const QString why = BookRestore::restore(b.path);
    if (!why.isEmpty()) {
        Msg::show(why, QStringLiteral("恢复账簿"));
        return false;
    }
    Msg::show(QStringLiteral("账簿已恢复到 %1 的备份。").arg(when), QStringLiteral("恢复账簿"));
    return true;
}

} // namespace kessory
