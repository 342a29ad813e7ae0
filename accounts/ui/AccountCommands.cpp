#include "accounts/ui/AccountCommands.h"

#include "accounts/AccountCheck.h"
#include "shell/Msg.h"

namespace kessory::accounts {
namespace {

// Shows what a write that was not done says.
WriteResult said(const WriteOutcome& outcome)
{
    if (outcome.result != WriteResult::Written)
        Msg::show(outcome.message, outcome.title.isEmpty() ? Msg::programTitle() : outcome.title);
    return outcome.result;
}

} // namespace

bool funCheckChildKey(const QString& key)
{
    const QString why = childKeyRefusal(key);
    if (why.isEmpty())
        return true;
    Msg::show(why, QStringLiteral("错误"));
    return false;
}

std::optional<QString> funProposeChildCode(const QString& code)
{
    std::optional<QString> next = proposeChildCode(code);
    if (!next)
        Msg::show(QStringLiteral("本级科目编号已达上限，无法继续增加。"), Msg::programTitle());
    return next;
}

std::optional<QString> funNextChildCode(const QString& key, const QString& code)
{
    if (!funCheckChildKey(key))
        return std::nullopt;
    return funProposeChildCode(code);
}

WriteResult funAddAccount(const AccountInput& input)
{
    return said(addAccount(input));
}

WriteResult funModifyAccount(const AccountInput& input)
{
    return said(modifyAccount(input));
}

DeleteResult funDeleteAccount(const QString& code)
{
    const DeleteCheck check = checkDelete(code);
    if (check.result == DeleteResult::Refused)
        Msg::show(check.message, check.title);
    if (check.result != DeleteResult::Answered)
        return check.result;
    const QString question = check.accounts == 1 ? QStringLiteral("是否真的删除该科目?")
                                                 : QStringLiteral("该科目内包含子科目,是否真的删除?");
    if (!Msg::ask(question, QStringLiteral("要求确认")))
        return DeleteResult::Answered;
    const WriteOutcome outcome = deleteAccount(code);
    if (outcome.result == WriteResult::Refused) {
        said(outcome);
        return DeleteResult::Refused;
    }
    Msg::show(outcome.result == WriteResult::Written ? QStringLiteral("科目删除成功。") : outcome.message,
              Msg::programTitle());
    return DeleteResult::Answered;
}

} // namespace kessory::accounts
