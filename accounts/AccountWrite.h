#pragma once

#include <QString>

// Adding, changing and deleting accounts of 财务科目.
namespace kessory::accounts {

// What the account manager's fields hold when a command is accepted.
struct AccountInput {
    QString code;
    QString name;
    QString category;
    QString pageFormat;
    bool foreignCurrency = false; // 外币核算
    QString currency;
    bool quantity = false; // 数量核算
    QString unit;
    bool journal = false; // 日记账
    bool bank = false; // 银行账
};

// An account's name, currency and unit hold at most this many characters (what a one-line box holds).
constexpr int kMaxAccountText = 32767;

enum class WriteResult {
    Refused, // a check failed and its message was shown; nothing written
    Written,
    Failed, // the checks passed but the database refused the write; nothing written
};

// Checks the input (code, name, currency, unit, parent, with their messages) and writes the new account with its
// parent's 末级账 cleared, both or neither.
WriteResult funAddAccount(const AccountInput& input);

// Stores the name, page format, currency, unit and 记账方式 of the existing account input.code, after the same name,
// currency and unit checks as an add.
WriteResult funModifyAccount(const AccountInput& input);

enum class DeleteResult {
    Refused, // level-1 account or one that voucher lines use: message shown, nothing deleted
    NoAccount, // no row has that code
    Answered, // the user was asked; deleted (with its message) when the answer was Yes
};

// Deletes the account and every account below it after asking the user.
DeleteResult funDeleteAccount(const QString& code);

} // namespace kessory::accounts
