#pragma once

#include <QLineEdit>
#include <functional>

namespace kessory {

// One digit cell of the amount control. It edits nothing itself: its keys go to the owner, which keeps the digits,
// and it paints its one character centred with no frame, so the ruled surface shows through.
class CashCell final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CashCell)
public:
    using KeyHandler = std::function<void(int index, QKeyEvent* event)>;

    CashCell(int index, QWidget* parent);
    int index() const { return m_index; }
    void setKeyHandlers(KeyHandler press, KeyHandler release);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_index;
    KeyHandler m_press;
    KeyHandler m_release;
};

} // namespace kessory
