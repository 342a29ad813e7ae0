#pragma once

class QMainWindow;

namespace kessory {

// Adds the book's commands to the frame's menus: 账套设置, 年结, 打开往年账簿 and 返回本年 under 系统; 结转损益 and
// 月末结账 under 凭证; 期初余额 under 账簿.
void addBookCommands(QMainWindow* frame);

// The year commands as the menu runs them (tests call them directly). Each closes the open windows first, since
// they change the book every window reads; each tells the user how it went.
bool runYearEnd(QMainWindow* frame);
bool showPastYear(QMainWindow* frame, int year);
bool showCurrentYear(QMainWindow* frame);

} // namespace kessory
