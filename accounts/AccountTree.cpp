#include "accounts/AccountTree.h"

#include "accounts/AccountCode.h"
#include "data/basDBOperate.h"

#include <QSet>
#include <algorithm>

namespace kessory::accounts {
namespace {

AccountNode accountNode(basDBOperate::RecordsetPtr& rs, const QString& parentKey, bool level1)
{
    const QString code = rs->text(QStringLiteral("科目编号"));
    AccountNode node;
    node.key = QLatin1Char('B') + code;
    node.text = code + QLatin1Char(' ') + rs->text(QStringLiteral("科目名称"));
    node.image = QString::fromLatin1(level1 || !rs->boolean(QStringLiteral("末级账")) ? kImageBranch : kImageLeaf);
    node.parentKey = parentKey;
    return node;
}

} // namespace

std::vector<AccountNode> funReadTree()
{
    std::vector<AccountNode> nodes;
    QSet<QString> keys;
    const auto add = [&](AccountNode node) {
        if (node.key.isEmpty() || keys.contains(node.key))
            return;
        keys.insert(node.key);
        nodes.push_back(std::move(node));
    };

    auto rs = basDBOperate::funNewRecordset();
    if (basDBOperate::funOpenRecordset(QStringLiteral("Select * From 财务科目类别 Order By 编号"), rs)) {
        for (; !rs->eof(); rs->moveNext()) {
            const QString name = rs->text(QStringLiteral("类别名称"));
            add({ name, name, QString::fromLatin1(kImageCategory), QString() });
        }
    }

    if (basDBOperate::funOpenRecordset(
            QStringLiteral("Select * From 财务科目 Where Len(科目编号) =3 Order By 科目类别,科目编号"), rs)) {
        for (; !rs->eof(); rs->moveNext()) {
            const QString category = rs->text(QStringLiteral("科目类别"));
            if (keys.contains(category))
                add(accountNode(rs, category, true));
        }
    }

    for (int length = 5; length <= kMaxCodeLength; length += 2) {
        const QString sql = QStringLiteral("Select * From 财务科目 Where Len(科目编号) = ") + QString::number(length)
            + QStringLiteral(" Order By 科目类别,科目编号");
        if (!basDBOperate::funOpenRecordset(sql, rs))
            continue;
        std::vector<AccountNode> level;
        for (; !rs->eof(); rs->moveNext()) {
            const QString code = rs->text(QStringLiteral("科目编号")).trimmed();
            const QString parentKey = QLatin1Char('B') + code.left(code.size() - 2);
            if (keys.contains(parentKey))
                level.push_back(accountNode(rs, parentKey, false));
        }
        // Rows come grouped by category; a child filed under another category than its siblings must still take
        // its place in code order.
        std::stable_sort(level.begin(), level.end(),
                         [](const AccountNode& a, const AccountNode& b) { return a.key < b.key; });
        for (AccountNode& node : level)
            add(std::move(node));
    }
    rs->close();
    return nodes;
}

QString codeOfKey(const QString& key)
{
    return key.startsWith(QLatin1Char('B')) ? key.mid(1) : QString();
}

} // namespace kessory::accounts
