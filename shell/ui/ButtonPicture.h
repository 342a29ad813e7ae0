#pragma once

#include <QWidget>

namespace kessory {

// One picture button of the main window's bar: the picture is drawn here, with no border when flat, a single line
// when hovered and a sunken three-dimensional border when pressed.
class ButtonPicture final : public QWidget {
    Q_OBJECT
public:
    enum class State { Flat, Hover, Pressed };

    ButtonPicture(int index, QWidget* parent);
    int index() const { return m_index; }
    State state() const { return m_state; }
    void setState(State state);
    QSize sizeHint() const override { return { 40, 40 }; }

signals:
    void pointerMoved(int index);
    void pressed(int index);
    void released(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void drawPicture(class QPainter& p, const QRect& r) const;
    int m_index;
    State m_state = State::Flat;
};

} // namespace kessory
