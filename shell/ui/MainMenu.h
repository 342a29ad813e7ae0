#pragma once

#include <QString>

class QMainWindow;
class QMenu;

namespace kessory {

// The five menus above the button bar, named menuSystem, menuVoucher, menuBooks, menuReports and menuHelp.
enum class MenuKind { System, Voucher, Books, Reports, Help };

// Fills the frame's menu bar: every window of the button bar, 退出 and 关于, and the commands each feature adds.
void buildMainMenu(QMainWindow* frame);
// One of the frame's menus, for a feature that adds its commands.
QMenu* mainMenu(QMainWindow* frame, MenuKind kind);

// The text of 帮助 → 关于: the program, its version and the open book.
QString aboutText();

} // namespace kessory
