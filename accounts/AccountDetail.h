#pragma once

#include <QString>
#include <optional>

// One account as the detail area shows it.
namespace kessory::accounts {

struct AccountDetail {
    QString 科目编号;
    QString 科目名称;
    QString 科目类别;
    int 级次 = 0;
    bool 末级账 = false;
    bool 银行账 = false;
    bool 科目性质 = false;
    QString 账页格式;
    QString 外币币种;
    QString 数量单位;
    QString 记账方式;
};

// The account with exactly that code, or nothing.
std::optional<AccountDetail> funReadAccount(const QString& code);

// The nature and level line: "科目性质:占用类" or "科目性质:来源类", then ",末级科目." for a leaf below level 1,
// otherwise "," + level + " 级科目.".
QString natureLine(const AccountDetail& account);

} // namespace kessory::accounts
