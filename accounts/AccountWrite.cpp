#include "accounts/AccountWrite.h"

#include "accounts/AccountCheck.h"
#include "accounts/AccountCode.h"
#include "accounts/Openings.h"
#include "accounts/PageFormat.h"
#include "data/ChangeLog.h"
#include "data/SqlRewrite.h"
#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "shell/Operators.h"

namespace kessory::accounts {
namespace {

QString selectAccount(const QString& code)
{
    return QStringLiteral("Select * From 财务科目 Where 科目编号 = '") + sqlQuote(code)
        + QStringLiteral("' Order By 科目编号");
}

// The checks an add and a change share; false after showing the first failure.
bool checkNameAndOptions(const AccountInput& input)
{
    const QString missing = QStringLiteral("缺少参数");
    if (input.name.trimmed().isEmpty()) {
        Msg::show(QStringLiteral("科目名称不能为空"), missing);
        return false;
    }
    if (input.foreignCurrency && input.currency.trimmed().isEmpty()) {
        Msg::show(QStringLiteral("请指定外币币种"), missing);
        return false;
    }
    if (input.quantity && input.unit.trimmed().isEmpty()) {
        Msg::show(QStringLiteral("请指定计量单位"), missing);
        return false;
    }
    return true;
}

QString quotedOrNull(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("Null") : QLatin1Char('\'') + sqlQuote(text) + QLatin1Char('\'');
}

// Deletes the accounts matching the pattern, each logged as gone, all or none; false when nothing was deleted.
bool deleteTree(const QString& pattern)
{
    Connection& connection = *basDBOperate::cnnDB;
    Transaction transaction(&connection);
    if (!transaction.active())
        return false;
    QStringList codes;
    {
        auto rs = basDBOperate::funNewRecordset();
        if (basDBOperate::funOpenRecordset(
                QStringLiteral("Select 科目编号 From 财务科目 Where 科目编号 Like '") + pattern, rs)) {
            for (; !rs->eof(); rs->moveNext())
                codes << rs->text(QStringLiteral("科目编号"));
        }
        rs->close();
    }
    if (basDBOperate::funExecuteSQL(QStringLiteral("Delete From 财务科目 Where 科目编号 Like '") + pattern) <= 0)
        return false;
    for (const QString& gone : codes) {
        if (!ChangeLog::appendAccount(connection, QStringLiteral("删除"), gone))
            return false;
    }
    return transaction.commit();
}

} // namespace

WriteResult funAddAccount(const AccountInput& input)
{
    if (!Operators::permit(Operators::Action::ChangeChart))
        return WriteResult::Refused;
    const QString verdict = funCheckCode(input.code);
    if (verdict != QLatin1String("OK")) {
        Msg::show(verdict, QStringLiteral("编号错误"));
        return WriteResult::Refused;
    }
    if (!checkNameAndOptions(input))
        return WriteResult::Refused;

    const QString code = normalizeCode(input.code);
    auto parent = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(selectAccount(parentCode(code)), parent)) {
        Msg::show(QStringLiteral("上级科目不存在."), QStringLiteral("提示:编号错误"));
        return WriteResult::Refused;
    }
    parent->fetchAll();

    // The new row and the parent's leaf flag go together: a child must never hang under a parent marked as a leaf.
    // A write the file refuses (read-only, locked, full) is said, never passed over as done.
    const auto failed = [] {
        Msg::show(QStringLiteral("科目添加失败。"), Msg::programTitle());
        return WriteResult::Failed;
    };
    Transaction transaction(basDBOperate::cnnDB.get());
    if (!transaction.active())
        return failed();
    auto added = basDBOperate::funNewRecordset();
    basDBOperate::funOpenRecordset(selectAccount(code), added); // empty, but open for appending
    if (!added->addNew())
        return failed();
    added->setValue(QStringLiteral("科目编号"), code);
    added->setValue(QStringLiteral("科目名称"), input.name.trimmed());
    added->setValue(QStringLiteral("科目类别"), input.category.trimmed());
    added->setValue(QStringLiteral("级次"), levelOfLength(code.size()));
    added->setValue(QStringLiteral("末级账"), true);
    for (const char* inherited : { "现金账", "银行账", "余额方向", "科目性质" }) {
        const QString column = QString::fromUtf8(inherited);
        added->setValue(column, parent->field(column));
    }
    if (!input.pageFormat.trimmed().isEmpty())
        added->setValue(QStringLiteral("账页格式"), input.pageFormat.trimmed());
    if (input.foreignCurrency)
        added->setValue(QStringLiteral("外币币种"), input.currency.trimmed());
    if (input.quantity)
        added->setValue(QStringLiteral("数量单位"), input.unit.trimmed());
    added->setValue(QStringLiteral("记账方式"), bookKeepingMode(input.journal, input.bank));
    if (!added->update())
        return failed();
    added->close();

    parent->setValue(QStringLiteral("末级账"), false);
    if (!parent->update())
        return failed();
    parent->close();
    // The new account and its parent's changed leaf flag, each with its row as stored now.
    Connection& connection = *basDBOperate::cnnDB;
    if (!ChangeLog::appendAccount(connection, QStringLiteral("新增"), code)
        || !ChangeLog::appendAccount(connection, QStringLiteral("修改"), parentCode(code)))
        return failed();
    return transaction.commit() ? WriteResult::Written : failed();
}

WriteResult funModifyAccount(const AccountInput& input)
{
    if (!Operators::permit(Operators::Action::ChangeChart))
        return WriteResult::Refused;
    if (!checkNameAndOptions(input))
        return WriteResult::Refused;
    const QString sql = QStringLiteral("Update 财务科目 Set 科目名称 = '") + sqlQuote(input.name.trimmed())
        + QStringLiteral("', 账页格式 = ") + quotedOrNull(input.pageFormat.trimmed()) + QStringLiteral(", 外币币种 = ")
        + quotedOrNull(input.foreignCurrency ? input.currency.trimmed() : QString()) + QStringLiteral(", 数量单位 = ")
        + quotedOrNull(input.quantity ? input.unit.trimmed() : QString()) + QStringLiteral(", 记账方式 = '")
        + bookKeepingMode(input.journal, input.bank) + QStringLiteral("' Where 科目编号 = '")
        + sqlQuote(normalizeCode(input.code)) + QStringLiteral("'");
    {
        Transaction transaction(basDBOperate::cnnDB.get());
        if (transaction.active() && basDBOperate::funExecuteSQL(sql) > 0
            && ChangeLog::appendAccount(*basDBOperate::cnnDB, QStringLiteral("修改"), normalizeCode(input.code))
            && transaction.commit())
            return WriteResult::Written;
    }
    Msg::show(QStringLiteral("科目修改失败。"), Msg::programTitle());
    return WriteResult::Failed;
}

DeleteResult funDeleteAccount(const QString& codeText)
{
    if (!Operators::permit(Operators::Action::ChangeChart))
        return DeleteResult::Refused;
    const QString code = normalizeCode(codeText);
    if (code.size() <= kLevel1Length) {
        Msg::show(QStringLiteral("无法删除一级科目"), QStringLiteral("无效操作"));
        return DeleteResult::Refused;
    }
    const QString pattern = sqlQuote(code) + QStringLiteral("%'");
    auto rs = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(QStringLiteral("Select * From 财务科目 Where 科目编号 Like '") + pattern
                                            + QStringLiteral(" Order By 科目编号"),
                                        rs))
        return DeleteResult::NoAccount;
    const int rows = rs->recordCount();
    rs->close();

    // Voucher lines on these codes would be left pointing at no account: the books would count what no window shows.
    auto used = basDBOperate::funNewRecordset();
    const bool inUse = basDBOperate::funOpenRecordset(
        QStringLiteral("Select 编号 From 记账凭证内容 Where 科目编号 Like '") + pattern, used);
    used->close();
    if (inUse) {
        Msg::show(QStringLiteral("该科目已有凭证记录，无法删除。"), QStringLiteral("无效操作"));
        return DeleteResult::Refused;
    }
    // An opening balance would likewise stay in the trial balance with no account to show it.
    if (Openings::balanceCents(basDBOperate::cnnDB.get(), code) != 0) {
        Msg::show(QStringLiteral("该科目已有期初余额，无法删除。"), QStringLiteral("无效操作"));
        return DeleteResult::Refused;
    }

    const QString question
        = rows == 1 ? QStringLiteral("是否真的删除该科目?") : QStringLiteral("该科目内包含子科目,是否真的删除?");
    if (Msg::ask(question, QStringLiteral("要求确认"))) {
        Msg::show(deleteTree(pattern) ? QStringLiteral("科目删除成功。") : QStringLiteral("科目删除失败。"),
                  Msg::programTitle());
    }
    return DeleteResult::Answered;
}

} // namespace kessory::accounts
