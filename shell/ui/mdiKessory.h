#pragma once

#include "shell/ui/SystemCommands.h"

#include <QMainWindow>
#include <array>

class QLabel;
class QMdiArea;

namespace kessory {
class ButtonPicture;
}

// The main window: a frame for the function windows with a bar of eight picture buttons.
class mdiKessory final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(mdiKessory)
public:
    explicit mdiKessory(QWidget* parent = nullptr);
    ~mdiKessory() override;

    // Brings up the data store under the program folder. False when the program ended (missing or unreadable file,
    // or no one logged in). With LogRegister::Later the daily backup and the change log's register wait until the
    // window's first paint.
    bool funLoad(const QString& programFolder, kessory::LogRegister logRegister = kessory::LogRegister::Now);
    // The program's own start, on its folder: the window comes up before the backup and the register are made.
    bool funLoad();

    QMdiArea* area() const { return m_area; }

    static QString programTitle();
    // The frame's title: the program's, naming the server book when the book is on a server.
    static QString bookTitle();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onPointerMoved(int index);
    void onPressed(int index);
    void onReleased(int index);
    void clearHover();

    bool m_registerAfterPaint = false;
    QWidget* m_bar = nullptr;
    QMdiArea* m_area = nullptr;
    std::array<kessory::ButtonPicture*, 8> m_buttons {};
    std::array<QLabel*, 8> m_captions {};
};
