#pragma once

class QMainWindow;
class QMenu;
class QWidget;

namespace kessory {

// When the work of the start that the window need not wait for is done: the daily backup (a copy of the whole
// book when one is due) and the change log's register of what a book already holds (on a book without a log it reads
// every voucher and account, once per book). The program does both just after its window is first shown, before any
// command can write.
enum class LogRegister { Now, Later };

// At start, once the book is open: the daily backup (a failure is said once and never stops the start), the login
// when the book has operators, and the change log's register. With LogRegister::Later the register is left for
// finishStart, and so is the backup when there is no login (a backup always comes before any login). False when no
// one logged in: the program has then been ended.
bool startSession(LogRegister logRegister = LogRegister::Now);
// The change log's register of what the book holds, when the log has none yet. A failure leaves the log without it;
// the book itself is untouched and the program goes on.
void registerChangeLog();
// What startSession left for later: the daily backup (when it was left), then the change log's register.
void finishStart();

// The 系统 menu's commands: 操作员管理, 操作日志, 校验账簿, 备份, 恢复, 账簿位置.
void addSystemCommands(QMenu* system, QMainWindow* frame);

} // namespace kessory
