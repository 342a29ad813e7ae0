#pragma once

#include <QWidget>

namespace kessory {
class CashSurface;
}

// The heading strip hosts put above a column of amount controls: the twelve column titles 十 亿 千 百 十 万 千 百 十 元
// 角 分 (labels tCash_11 down to tCash_0) over the same ruling, at the same width and pitch as the control.
class ctlCashTitle final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ctlCashTitle)
public:
    explicit ctlCashTitle(QWidget* parent = nullptr);
    ~ctlCashTitle() override;

    // The title over cell i (0 = 分 … 11 = 十亿).
    static QString title(int index);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutSurface();
    kessory::CashSurface* m_surface = nullptr;
};
