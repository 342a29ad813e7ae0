#include "ledgers/ui/frmMXZ.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace kessory {

void frmMXZ::showAccount(const QString& code, const QString& name, qint16 period)
{
    const QString periodText = period >= 1 && period <= 12 ? QString::number(period) : QStringLiteral("全部");
    for (std::size_t i = 0; i < 2; ++i) {
        m_txtKMMC[i]->setText(name);
        m_lblSelectKMBH[i]->setText(code);
    }
    onKJQJChanged(periodText);
    funLoadLedger(0, 0, code, period);
}

} // namespace kessory
