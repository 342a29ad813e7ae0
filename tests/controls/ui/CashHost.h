#pragma once

#include "controls/ui/CashCell.h"
#include "controls/ui/ctlCashFormat.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace kessory::test {

// A small host window: a field before the entry control, the entry control, the host's next field, one beyond,
// and a display control. Shown and active, so the focus moves as a user's would.
struct CashHost {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QLineEdit* before = nullptr;
    ctlCashFormat* csf = nullptr;
    QLineEdit* next = nullptr;
    QLineEdit* beyond = nullptr;
    ctlCashFormat* csfShow = nullptr;

    explicit CashHost(double entryValue = 0, double shownValue = 0)
    {
        auto* layout = new QVBoxLayout(window.get());
        before = new QLineEdit(window.get());
        before->setObjectName("before");
        csf = new ctlCashFormat(window.get());
        csf->setObjectName("csfJFJE_0");
        csf->loadProperties(0, true); // entry controls are stored with the default amount
        csf->setValue(entryValue);
        next = new QLineEdit(window.get());
        next->setObjectName("next");
        beyond = new QLineEdit(window.get());
        beyond->setObjectName("beyond");
        csfShow = new ctlCashFormat(window.get());
        csfShow->setObjectName("csfJFHJ");
        csfShow->loadProperties(shownValue, false);
        for (QWidget* w : { static_cast<QWidget*>(before), static_cast<QWidget*>(csf), static_cast<QWidget*>(next),
                            static_cast<QWidget*>(beyond), static_cast<QWidget*>(csfShow) })
            layout->addWidget(w);
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    CashCell* cell(int i, ctlCashFormat* c = nullptr) const
    {
        return (c ? c : csf)->findChild<CashCell*>(QStringLiteral("tCash_%1").arg(i));
    }
    // The index of the entry control's cell holding the focus, -1 when the focus is elsewhere.
    int focusCell() const
    {
        for (int i = 0; i < 12; ++i) {
            if (cell(i)->hasFocus())
                return i;
        }
        return -1;
    }
    // One keystroke where the focus is, as from the keyboard.
    static void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
    static void key(char c) { QTest::keyClick(QApplication::focusWidget(), c); }
    static void keys(const char* text)
    {
        for (const char* p = text; *p; ++p)
            key(*p);
    }
    // The twelve cells from 十亿 to 分, '_' for blank.
    std::string shown(ctlCashFormat* c = nullptr) const
    {
        std::string s;
        for (int i = 11; i >= 0; --i) {
            const QString t = cell(i, c)->text();
            s += t.isEmpty() ? std::string("_") : t.toStdString();
        }
        return s;
    }
    void enterAtYuan() const
    {
        before->setFocus(Qt::OtherFocusReason);
        key(Qt::Key_Tab);
    }
};

} // namespace kessory::test
