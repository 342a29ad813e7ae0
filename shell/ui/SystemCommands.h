#pragma once

class QMainWindow;
class QMenu;
class QWidget;

namespace kessory {

// At start, once the book is open: the daily backup (a failure is said once and never stops the start), the login
// when the book has operators, and the change log's register of what the book already holds. False when no one
// logged in: the program has then been ended.
bool startSession();

// The 系统 menu's commands: 操作员管理, 操作日志, 校验账簿, 备份, 恢复.
void addSystemCommands(QMenu* system, QMainWindow* frame);

} // namespace kessory
