#pragma once

#include "accounts/AccountWrite.h"

#include <QString>
#include <optional>

// The account manager's commands: each checks and writes through the silent core and shows what it says.
namespace kessory::accounts {

// Whether a sub-account may be asked for under the selected tree node; a refusal is shown (title 错误).
bool funCheckChildKey(const QString& key);
// The next free child code of the shown code; nothing, after the limit message, when that level is full.
std::optional<QString> funProposeChildCode(const QString& code);
// Both steps together.
std::optional<QString> funNextChildCode(const QString& key, const QString& code);

// The writes with their messages; the result is the core's.
WriteResult funAddAccount(const AccountInput& input);
WriteResult funModifyAccount(const AccountInput& input);
// Checks, asks (要求确认), deletes the account with every account below it and says how that went.
DeleteResult funDeleteAccount(const QString& code);

} // namespace kessory::accounts
