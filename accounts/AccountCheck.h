#pragma once

#include <QString>
#include <optional>

// Checking a code for a new account and proposing the next free child code.
namespace kessory::accounts {

// "OK" when the code may be used for a new account, otherwise the reason: "缺少参数", "无效的编号长度",
// "科目类别不存在" (its level-1 account is missing), "科目已存在" or "上级科目不存在". A level-1 code is never "OK".
QString funCheckCode(const QString& code);

// Whether a sub-account may be asked for under the selected tree node (key "B" + code). Refuses with a message
// a level-6 account and a selection that is no account.
bool funCheckChildKey(const QString& key);

// The next free code one level below the shown code: the code followed by 01 when it has no children, else one
// above its highest child. Nothing (after the limit message) when the 99 codes of that level are used up.
std::optional<QString> funProposeChildCode(const QString& code);

// Both steps together, as the add command runs them.
std::optional<QString> funNextChildCode(const QString& key, const QString& code);

} // namespace kessory::accounts
