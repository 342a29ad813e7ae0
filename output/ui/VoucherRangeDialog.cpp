#include "output/ui/VoucherRangeDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace kessory {

bool askVoucherRange(QWidget* parent, VoucherRange& range, VoucherPaperKind& paper)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgVoucherRange"));
    dialog.setWindowTitle(QStringLiteral("打印凭证"));
    auto* form = new QFormLayout(&dialog);

    auto* category = new QComboBox(&dialog);
    category->setObjectName(QStringLiteral("cmbCategory"));
    category->addItems({ QStringLiteral("全部"), QStringLiteral("记"), QStringLiteral("转") });
    category->setCurrentText(range.category.isEmpty() ? QStringLiteral("全部") : range.category);
    form->addRow(QStringLiteral("凭证类别："), category);

    auto* numbers = new QHBoxLayout;
    auto* from = new QSpinBox(&dialog);
    from->setObjectName(QStringLiteral("spnFrom"));
    auto* to = new QSpinBox(&dialog);
    to->setObjectName(QStringLiteral("spnTo"));
    for (QSpinBox* box : { from, to })
        box->setRange(1, 32767);
    from->setValue(range.fromNumber);
    to->setValue(range.toNumber);
    numbers->addWidget(from);
    numbers->addWidget(new QLabel(QStringLiteral("至"), &dialog));
    numbers->addWidget(to);
    numbers->addWidget(new QLabel(QStringLiteral("号"), &dialog));
    form->addRow(QStringLiteral("凭证号："), numbers);

    auto* month = new QComboBox(&dialog);
    month->setObjectName(QStringLiteral("cmbMonth"));
    month->addItem(QStringLiteral("全部"));
    for (int m = 1; m <= 12; ++m)
        month->addItem(QStringLiteral("%1月").arg(m));
    month->setCurrentIndex(range.month >= 1 && range.month <= 12 ? range.month : 0);
    form->addRow(QStringLiteral("会计期间："), month);

    auto* voided = new QCheckBox(QStringLiteral("包括作废凭证（加盖作废章）"), &dialog);
    voided->setObjectName(QStringLiteral("chkVoided"));
    voided->setChecked(range.includeVoided);
    form->addRow(QString(), voided);

    auto* paperList = new QComboBox(&dialog);
    paperList->setObjectName(QStringLiteral("cmbPaper"));
    paperList->addItems({ QStringLiteral("凭证纸（240×140 毫米）"), QStringLiteral("A4 纸（每页两张）") });
    paperList->setCurrentIndex(paper == VoucherPaperKind::A4Twice ? 1 : 0);
    form->addRow(QStringLiteral("纸张："), paperList);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);

    if (dialog.exec() != QDialog::Accepted)
        return false;
    range.category = category->currentIndex() == 0 ? QString() : category->currentText();
    range.fromNumber = std::min(from->value(), to->value());
    range.toNumber = std::max(from->value(), to->value());
    range.month = month->currentIndex();
    range.includeVoided = voided->isChecked();
    paper = paperList->currentIndex() == 1 ? VoucherPaperKind::A4Twice : VoucherPaperKind::Voucher;
    return true;
}

} // namespace kessory
