#include "shell/ui/VerifyDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kessory {

VerifyDialog::VerifyDialog(const QList<ChangeLog::Break>& breaks, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmVerify"));
    setWindowTitle(QStringLiteral("校验账簿"));
    auto* layout = new QVBoxLayout(this);
    auto* summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("lblSummary"));
    summary->setWordWrap(true);
    if (breaks.isEmpty()) {
        summary->setText(QStringLiteral("账簿完整：操作日志的链条完好，每张凭证和每个科目都与日志最后的记录一致。"));
    } else {
        summary->setText(QStringLiteral("发现 %1 处问题：").arg(breaks.size()));
        summary->setStyleSheet(QStringLiteral("color: rgb(192,0,0); font-weight: bold;"));
    }
    layout->addWidget(summary);
    auto* list = new QListWidget(this);
    list->setObjectName(QStringLiteral("lstBreaks"));
    for (const ChangeLog::Break& b : breaks)
        list->addItem(b.text);
    list->setVisible(!breaks.isEmpty());
    layout->addWidget(list, 1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(breaks.isEmpty() ? QSize(460, 120) : QSize(640, 360));
}

} // namespace kessory
