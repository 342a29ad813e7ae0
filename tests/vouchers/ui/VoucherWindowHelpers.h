#pragma once

#include "shell/Clock.h"
#include "shell/Msg.h"
#include "tests/support/GuiTest.h"
#include "tests/vouchers/QtPrinters.h"
#include "vouchers/ui/frmPZ.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace kessory::test {

// A voucher window on a database of its own, with helpers to reach its controls by their names.
class VoucherWindowTest : public GuiTest {
protected:
    frmPZ* open()
    {
        auto* w = qobject_cast<frmPZ*>(WindowHost::instance().open(WindowKind::PZ));
        EXPECT_NE(w, nullptr);
        return w;
    }
    // Opened, shown and active, so the focus moves as a user's would.
    frmPZ* openActive()
    {
        frmPZ* w = open();
        QApplication::setActiveWindow(w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        return w;
    }
    // The named sheet control (txtZY_2, csfJFJE_0 ...) that holds the focus, or the focus widget's own name.
    static QString focused()
    {
        QWidget* f = QApplication::focusWidget();
        for (QWidget* p = f; p; p = p->parentWidget()) {
            const QString n = p->objectName();
            if (n.startsWith(QLatin1String("txt")) || n.startsWith(QLatin1String("csf"))
                || n.startsWith(QLatin1String("cmd")) || n.startsWith(QLatin1String("cmb")))
                return n;
        }
        return f ? f->objectName() : QString();
    }
    // Keystrokes where the focus is, as from the keyboard.
    static void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
    // Each character typed into whatever holds the focus at that moment (Chinese characters too).
    static void typeText(const QString& text)
    {
        for (const QChar c : text) {
            QWidget* w = QApplication::focusWidget();
            const char latin = c.toLatin1();
            if (latin) {
                QTest::keyClick(w, latin);
            } else {
                QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
                QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
            }
        }
    }
    static QString text(QWidget* w, const QString& name)
    {
        if (auto* l = w->findChild<QLabel*>(name))
            return l->text();
        if (auto* e = w->findChild<QLineEdit*>(name))
            return e->text();
        ADD_FAILURE() << "no text control " << name.toStdString();
        return {};
    }
    static bool stampShown(QWidget* w, int i)
    {
        return !child<QLabel>(w, QStringLiteral("imgState_%1").arg(i))->isHidden();
    }
    static void click(QWidget* w, const QString& button)
    {
        QTest::mouseClick(child<QPushButton>(w, button), Qt::LeftButton);
        QApplication::processEvents();
    }
    // Lets the refresh timer give its tick.
    static void settle() { QTest::qWait(150); }
    static QStringList shownTexts()
    {
        QStringList t;
        for (const auto& s : Msg::shown())
            t << s.text;
        return t;
    }
};

} // namespace kessory::test
