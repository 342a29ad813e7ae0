#pragma once

#include <QWidget>

namespace kessory {

// The voucher picture: a sheet of paper with the title's double rule and a frame.
class VoucherPaper final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VoucherPaper)
public:
    explicit VoucherPaper(QWidget* parent);
    // The title the double rule is drawn under.
    void setTitleWidget(QWidget* title) { m_title = title; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* m_title = nullptr;
};

// The ruled sheet: the column header band, the five line rows, the totals row and the remark strip.
class SheetPaper final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SheetPaper)
public:
    explicit SheetPaper(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The ink of the printed form.
QColor formInk();
QColor paperColour();

} // namespace kessory
