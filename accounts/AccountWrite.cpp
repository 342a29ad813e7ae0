#include "accounts/AccountWrite.h"

#include "accounts/AccountCheck.h"
#include "accounts/AccountCode.h"
#include "accounts/Openings.h"
#include "accounts/PageFormat.h"
#include "data/ChangeLog.h"
#include "data/TextRules.h"
#include "data/basDBOperate.h"
#include "shell/Operators.h"

namespace kessory::accounts {
namespace {

SqlCommand selectAccount(const QString& code)
{
    return { QStringLiteral("Select * From 财务科目 Where 科目编号 = ? Order By 科目编号"), { code } };
}

// Any voucher line on the code or one below it.
bool codeInUse(const QString& code)
{
    auto used = basDBOperate::funNewRecordset();
    const bool inUse = basDBOperate::funOpenRecordset(
        SqlCommand { QStringLiteral("Select 编号 From 记账凭证内容 Where 科目编号 Like ?"), { code + u'%' } }, used);
    used->close();
    return inUse;
}

// An account's texts as stored: trimmed, without NUL characters.
QString stored(const QString& text)
{
    return withoutNul(text).trimmed();
}

WriteOutcome refused(const QString& message, const QString& title)
{
    return { WriteResult::Refused, message, title };
}

// A cashier may not change the chart: Refused (with its message) then, else Written, and the checks go on.
WriteOutcome chartRefusal()
{
    const QString why = Operators::refusal(Operators::Action::ChangeChart);
    return why.isEmpty() ? WriteOutcome { WriteResult::Written, {}, {} } : refused(why, QStringLiteral("提示"));
}

// The checks an add and a change share: the first failure, else Written (the write may go on).
WriteOutcome checkNameAndOptions(const AccountInput& input)
{
    const QString missing = QStringLiteral("缺少参数");
    if (stored(input.name).isEmpty())
        return refused(QStringLiteral("科目名称不能为空"), missing);
    if (input.foreignCurrency && input.currency.trimmed().isEmpty())
        return refused(QStringLiteral("请指定外币币种"), missing);
    if (input.quantity && input.unit.trimmed().isEmpty())
        return refused(QStringLiteral("请指定计量单位"), missing);
    // A text the book cannot hold whole is refused, never cut.
    const QString tooLong = QStringLiteral("%1超过 %2 个字符，请缩短后再试。");
    for (const auto& [label, text] : { std::pair { QStringLiteral("科目名称"), input.name },
                                       std::pair { QStringLiteral("外币币种"), input.currency },
                                       std::pair { QStringLiteral("计量单位"), input.unit } }) {
        if (stored(text).size() > kMaxAccountText)
            return refused(tooLong.arg(label).arg(kMaxAccountText), QStringLiteral("提示"));
    }
    return { WriteResult::Written, {}, {} };
}

QVariant textOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

WriteOutcome addAccount(const AccountInput& input)
{
    if (const WriteOutcome denied = chartRefusal(); denied.result != WriteResult::Written)
        return denied;
    const QString verdict = funCheckCode(input.code);
    if (verdict != QLatin1String("OK"))
        return refused(verdict, QStringLiteral("编号错误"));
    if (const WriteOutcome checked = checkNameAndOptions(input); checked.result != WriteResult::Written)
        return checked;

    const QString code = normalizeCode(input.code);
    // The new row and the parent's leaf flag go together: a child must never hang under a parent marked as a leaf.
    // A write the file refuses (read-only, locked, full) is said, never passed over as done.
    const auto failed = [] { return WriteOutcome { WriteResult::Failed, QStringLiteral("科目添加失败。"), {} }; };
    Transaction transaction(basDBOperate::cnnDB.get());
    if (!transaction.active())
        return failed();
    // The parent and the code are checked again inside the write: another copy of the program may have deleted the
    // parent or added the code since the first check.
    auto parent = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(selectAccount(parentCode(code)), parent)) {
        transaction.rollback();
        return refused(QStringLiteral("上级科目不存在."), QStringLiteral("提示:编号错误"));
    }
    parent->fetchAll();
    auto added = basDBOperate::funNewRecordset();
    if (basDBOperate::funOpenRecordset(selectAccount(code), added)) {
        transaction.rollback();
        return refused(QStringLiteral("科目已存在"), QStringLiteral("编号错误"));
    }
    if (!added->isOpen() || !added->addNew())
        return failed();
    added->setValue(QStringLiteral("科目编号"), code);
    added->setValue(QStringLiteral("科目名称"), stored(input.name));
    added->setValue(QStringLiteral("科目类别"), stored(input.category));
    added->setValue(QStringLiteral("级次"), levelOfLength(code.size()));
    added->setValue(QStringLiteral("末级账"), true);
    for (const char* inherited : { "现金账", "银行账", "余额方向", "科目性质" }) {
        const QString column = QString::fromUtf8(inherited);
        added->setValue(column, parent->field(column));
    }
    if (!stored(input.pageFormat).isEmpty())
        added->setValue(QStringLiteral("账页格式"), stored(input.pageFormat));
    if (input.foreignCurrency)
        added->setValue(QStringLiteral("外币币种"), stored(input.currency));
    if (input.quantity)
        added->setValue(QStringLiteral("数量单位"), stored(input.unit));
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
    return transaction.commit() ? WriteOutcome { WriteResult::Written, {}, {} } : failed();
}

WriteOutcome modifyAccount(const AccountInput& input)
{
    if (const WriteOutcome denied = chartRefusal(); denied.result != WriteResult::Written)
        return denied;
    if (const WriteOutcome checked = checkNameAndOptions(input); checked.result != WriteResult::Written)
        return checked;
    const SqlCommand sql { QStringLiteral("Update 财务科目 Set 科目名称 = ?, 账页格式 = ?, 外币币种 = ?, 数量单位 = ?, "
                                          "记账方式 = ? Where 科目编号 = ?"),
                           { stored(input.name), textOrNull(stored(input.pageFormat)),
                             textOrNull(input.foreignCurrency ? stored(input.currency) : QString()),
                             textOrNull(input.quantity ? stored(input.unit) : QString()),
                             bookKeepingMode(input.journal, input.bank), normalizeCode(input.code) } };
    {
        Transaction transaction(basDBOperate::cnnDB.get());
        if (transaction.active() && basDBOperate::funExecute(sql) > 0
            && ChangeLog::appendAccount(*basDBOperate::cnnDB, QStringLiteral("修改"), normalizeCode(input.code))
            && transaction.commit())
            return { WriteResult::Written, {}, {} };
    }
    return { WriteResult::Failed, QStringLiteral("科目修改失败。"), {} };
}

namespace {

const QString kInvalid = QStringLiteral("无效操作");

// Voucher lines on these codes would be left pointing at no account: the books would count what no window shows. An
// opening balance would likewise stay in the trial balance with no account to show it. Written when neither holds.
WriteOutcome deleteRefusal(const QString& code)
{
    if (codeInUse(code))
        return refused(QStringLiteral("该科目已有凭证记录，无法删除。"), kInvalid);
    if (Openings::balanceCents(basDBOperate::cnnDB.get(), code) != 0)
        return refused(QStringLiteral("该科目已有期初余额，无法删除。"), kInvalid);
    return { WriteResult::Written, {}, {} };
}

} // namespace

DeleteCheck checkDelete(const QString& codeText)
{
    if (const WriteOutcome denied = chartRefusal(); denied.result != WriteResult::Written)
        return { DeleteResult::Refused, denied.message, denied.title };
    const QString code = normalizeCode(codeText);
    if (code.size() <= kLevel1Length)
        return { DeleteResult::Refused, QStringLiteral("无法删除一级科目"), kInvalid };
    auto rs = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(
            SqlCommand { QStringLiteral("Select * From 财务科目 Where 科目编号 Like ? Order By 科目编号"),
                         { code + u'%' } },
            rs))
        return { DeleteResult::NoAccount, {}, {}, 0 };
    const int rows = rs->recordCount();
    rs->close();
    if (const WriteOutcome denied = deleteRefusal(code); denied.result != WriteResult::Written)
        return { DeleteResult::Refused, denied.message, denied.title };
    return { DeleteResult::Answered, QString(), QString(), rows };
}

WriteOutcome deleteAccount(const QString& codeText)
{
    const QString code = normalizeCode(codeText);
    const WriteOutcome failed { WriteResult::Failed, QStringLiteral("科目删除失败。"), {} };
    // While the question was open another copy of the program may have saved a voucher on the account: the checks
    // are made again inside the delete.
    Transaction transaction(basDBOperate::cnnDB.get());
    if (!transaction.active())
        return failed;
    if (const WriteOutcome denied = deleteRefusal(code); denied.result != WriteResult::Written) {
        transaction.rollback();
        return denied;
    }
    // Each account that goes is logged as gone, in the same transaction.
    QStringList gone;
    Statement st = basDBOperate::cnnDB->prepare(QStringLiteral("Select 科目编号 From 财务科目 Where 科目编号 Like ?"));
    st.bind(1, QString(code + u'%'));
    while (st.valid() && st.step() == 1)
        gone << st.column(0).toString();
    st.release();
    // Another copy of the program deleted it while the question was open: nothing is left to delete.
    if (gone.isEmpty()) {
        transaction.rollback();
        return { WriteResult::Refused, QStringLiteral("该科目已被删除，请刷新后再操作。"), QStringLiteral("提示") };
    }
    const int deleted = basDBOperate::funExecute(
        SqlCommand { QStringLiteral("Delete From 财务科目 Where 科目编号 Like ?"), { code + u'%' } });
    bool done = deleted > 0;
    for (const QString& account : gone)
        done = done && ChangeLog::appendAccount(*basDBOperate::cnnDB, QStringLiteral("删除"), account);
    done = done && transaction.commit();
    if (!done) {
        transaction.rollback();
        return failed;
    }
    return { WriteResult::Written, {}, {} };
}

} // namespace kessory::accounts
