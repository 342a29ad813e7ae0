#pragma once

#include <QString>

class QAbstractButton;
class QKeySequence;
class QWidget;

namespace kessory {

// The keyboard of every function window: each command button found by its name gets its key (Ctrl+S 保存,
// Ctrl+N 新增, PgUp/PgDn 上一条/下一条, Ctrl+Home/Ctrl+End 第一条/最末条, F5 刷新, Esc 关闭 or 退出), Ctrl+F goes to
// the search box, and each button's tooltip names its key. Also makes Enter on a focused push button act as a click, as
// Space does, in every window of the program.
void bindCommandKeys(QWidget* window);

// One key for one button of a window: pressing it anywhere in the window clicks the button when it is usable.
// Escape clicks only when no control of the window took it for itself.
void bindKey(QAbstractButton* button, const QKeySequence& key);

// The text a button's tooltip shows for a key: "下一条 (PgDn)".
QString keyTip(const QString& tip, const QKeySequence& key);

} // namespace kessory
