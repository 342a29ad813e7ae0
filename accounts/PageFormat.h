#pragma once

#include <QString>
#include <QStringList>

// The ledger page formats and which optional parts of an account each one switches on.
namespace kessory::accounts {

struct PageFormatOptions {
    bool currencyOffered = false; // 外币核算 and its currency list can be used
    bool currencyTicked = false;
    bool quantityOffered = false; // 数量核算 and its unit list can be used
    bool quantityTicked = false;
};

// "金额式", "数量金额式", "外币金额式", "数量外币式", in the order the page-format list offers them.
QStringList pageFormats();

// The options of a page-format text (compared as given: any other text, blank ones included, offers nothing).
PageFormatOptions pageFormatOptions(const QString& pageFormat);

// 记账方式 from the two ticks: "3" both, "1" 日记账 only, "2" 银行账 only, "0" neither.
QString bookKeepingMode(bool journal, bool bank);

// The two ticks back from a stored 记账方式.
bool modeHasJournal(const QString& mode);
bool modeHasBank(const QString& mode);

} // namespace kessory::accounts
