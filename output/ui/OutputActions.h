#pragma once

#include "output/ui/OutputJob.h"

#include <functional>

class QMainWindow;
class QPrinter;
class QPushButton;
class QWidget;

namespace kessory {

// Makes the job of a window at the moment of printing or exporting; false when the user cancelled (a range dialog)
// or there is nothing to give.
using JobFactory = std::function<bool(OutputJob& job)>;

struct OutputButtons {
    QPushButton* print = nullptr; // cmd_Print, 打印
    QPushButton* exportFile = nullptr; // cmd_Export, 导出
};

// Gives a window 打印 and 导出: Ctrl+P and Ctrl+E while the window has the focus, and the job that the menu's 打印
// and 导出 act on when it is the active window. With a button parent, the two buttons are made there for the window
// to place.
OutputButtons installOutput(QWidget* window, JobFactory factory, QWidget* buttonParent = nullptr);

// 打印: the print preview of the window's job, from which it is printed. 导出: a file dialog; the file's extension
// decides PDF, XLSX or CSV. Both do nothing for a window without output.
void printWindow(QWidget* window);
void exportWindow(QWidget* window);
bool hasOutput(const QWidget* window);

// Tests replace the modal steps: the preview (given the printer and the painting) and the file dialog (given the
// proposed name; an empty answer cancels). Empty functions restore the dialogs.
using PreviewRunner = std::function<void(QPrinter& printer, const std::function<void(QPrinter*)>& paint)>;
using SaveFileAsker = std::function<QString(const QString& proposed)>;
void setPreviewRunner(PreviewRunner runner);
void setSaveFileAsker(SaveFileAsker asker);

// Adds 打印 and 导出 to the frame's 系统 menu, acting on the active function window.
void addOutputMenu(QMainWindow* frame);

} // namespace kessory
