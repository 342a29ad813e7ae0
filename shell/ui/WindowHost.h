#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>

class QMdiArea;

namespace kessory {

// The eight function windows, in the order of the main window's buttons.
enum class WindowKind { PZ = 0, MXZ, ZZ, XJLLB, SYB, ZCFZB, KM, KMHZB };
constexpr int kWindowKinds = 8;

// Keeps at most one window of each kind. Opening a kind that is open brings it to the front and focuses it;
// otherwise the window is created (which runs its load) and shown as a child of the frame, or as a top-level
// window when no frame is set (tests).
class WindowHost {
public:
    static WindowHost& instance();

    void setArea(QMdiArea* area);
    QWidget* open(WindowKind kind);
    QWidget* open(int index);
    // The open window of a kind, or nullptr.
    QWidget* find(WindowKind kind) const;
    // Closes every open window (tests start each case clean).
    void closeAll();

private:
    WindowHost();
    void placeInside(QWidget* frame) const;
    QPointer<QMdiArea> m_area;
    std::array<QPointer<QWidget>, kWindowKinds> m_windows;
};

// Closes a function window, whether it stands in the frame or alone; false when the window refused (its user chose
// to stay). No window: true.
bool closeWindow(QWidget* window);

// The object names and captions of the eight windows.
QString windowObjectName(WindowKind kind);
QString windowCaption(WindowKind kind);

} // namespace kessory
