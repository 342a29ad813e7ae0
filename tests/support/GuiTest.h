#pragma once

#include "shell/ui/WindowHost.h"
#include "tests/support/TestDb.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

namespace kessory::test {

// A widget test on a fresh database: windows opened through the host are closed again at the end.
class GuiTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        WindowHost::instance().closeAll();
        QApplication::processEvents();
    }

    template <typename T> static T* child(QWidget* parent, const QString& name)
    {
        T* found = parent->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << "no control " << name.toStdString();
        return found;
    }
};

} // namespace kessory::test
