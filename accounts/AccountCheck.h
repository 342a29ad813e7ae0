#pragma once

#include <QString>
#include <optional>

// Checking a code for a new account and proposing the next free child code.
namespace kessory::accounts {

// "OK" when the code may be used for a new account, otherwise the reason: "缺少参数", "无效的编号长度",
// "科目类别不存在" (its level-1 account is missing), "科目已存在" or "上级科目不存在". A level-1 code is never "OK".
QString funCheckCode(const QString& code);

// Why no sub-account may be asked for under the selected tree node (key "B" + code): a level-6 account, or a
// selection that is no account. Empty when one may; the message box of a refusal has the title "错误".
QString childKeyRefusal(const QString& key);

// The next free code one level below the shown code: the code followed by 01 when it has no children, else one
// above its highest child. Nothing when the 99 codes of that level are used up.
std::optional<QString> proposeChildCode(const QString& code);

} // namespace kessory::accounts
