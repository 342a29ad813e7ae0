#include "controls/ui/ctlCashTitle.h"

#include "controls/CashDigits.h"
#include "controls/ui/CashRuling.h"
#include "shell/ui/Twips.h"

#include <QLabel>

namespace cash = kessory::cash;

namespace {

constexpr int kTitlePixels = 9;
constexpr int kDesignHeight = 300;

} // namespace

ctlCashTitle::ctlCashTitle(QWidget* parent)
    : QWidget(parent)
{
    m_surface = kessory::setUpCashControl(this, QStringLiteral("ctlCashTitle"), kTitlePixels);
    for (int i = 0; i < cash::kCells; ++i) {
        auto* label = new QLabel(title(i), m_surface);
        label->setObjectName(QStringLiteral("tCash_%1").arg(i));
        label->setAlignment(Qt::AlignCenter);
    }
    setFixedWidth(tw(cash::kWidth));
    setMinimumHeight(tw(cash::kCellHeight));
    resize(tw(cash::kWidth), tw(kDesignHeight));
    layoutSurface();
}

ctlCashTitle::~ctlCashTitle() = default;

QString ctlCashTitle::title(int index)
{
    static const QString titles[cash::kCells]
        = { QStringLiteral("分"), QStringLiteral("角"), QStringLiteral("元"), QStringLiteral("十"),
            QStringLiteral("百"), QStringLiteral("千"), QStringLiteral("万"), QStringLiteral("十"),
            QStringLiteral("百"), QStringLiteral("千"), QStringLiteral("亿"), QStringLiteral("十") };
    return index >= 0 && index < cash::kCells ? titles[index] : QString();
}

QSize ctlCashTitle::sizeHint() const
{
    return { tw(cash::kWidth), tw(kDesignHeight) };
}

QSize ctlCashTitle::minimumSizeHint() const
{
    return { tw(cash::kWidth), tw(cash::kCellHeight) };
}

void ctlCashTitle::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutSurface();
}

void ctlCashTitle::layoutSurface()
{
    m_surface->setGeometry(0, 0, tw(cash::kWidth), height());
    // A title takes the whole room between its two lines: the characters are wider than a digit cell.
    for (int i = 0; i < cash::kCells; ++i) {
        auto* label = m_surface->findChild<QLabel*>(QStringLiteral("tCash_%1").arg(i));
        const int left = tw(cash::lineX(cash::kCells - 1 - i)) + 1;
        const int right = tw(cash::lineX(cash::kCells - i)) - 1;
        label->setGeometry(left, 0, right - left + 1, height());
    }
}
