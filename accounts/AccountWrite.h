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
    Refused, // a check failed; nothing written
    Written,
    Failed, // the checks passed but the database refused the write; nothing written
};

// What a write gave: unless written, the message that says why and the title of the box that shows it (the
// program's own title when empty).
struct WriteOutcome {
    WriteResult result = WriteResult::Refused;
    QString message;
    QString title;
};

// Checks the input (code, name, currency, unit, parent; the first failure refuses) and writes the new account with
// its parent's 末级账 cleared, both or neither.
WriteOutcome addAccount(const AccountInput& input);

// Stores the name, page format, currency, unit and 记账方式 of the existing account input.code, after the same name,
// currency and unit checks as an add.
WriteOutcome modifyAccount(const AccountInput& input);

enum class DeleteResult {
    Refused, // level-1 account, or one that voucher lines or an opening balance use: nothing deleted
    NoAccount, // no row has that code
    Answered, // the user was asked; deleted when the answer was Yes
};

// The checks made before a delete's question: Refused (with its message and title), NoAccount, or Answered when
// the question may be asked; accounts counts the account and those below it.
struct DeleteCheck {
    DeleteResult result = DeleteResult::Refused;
    QString message;
    QString title;
    int accounts = 0;
};
DeleteCheck checkDelete(const QString& code);

// Deletes the account and every account below it, the checks made again inside the delete's transaction.
WriteOutcome deleteAccount(const QString& code);

} // namespace kessory::accounts
