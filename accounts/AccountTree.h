#pragma once

#include <QString>
#include <vector>

// The chart of accounts as the tree shows it.
namespace kessory::accounts {

// Image keys of the tree.
inline constexpr const char* kImageCategory = "i_BM";
inline constexpr const char* kImageBranch = "i_GW"; // account with sub-accounts, and every level-1 account
inline constexpr const char* kImageLeaf = "i_MJ"; // leaf below level 1

struct AccountNode {
    QString key; // the category name, or "B" + code
    QString text;
    QString image;
    QString parentKey; // empty for a category
};

// The nodes in the order they are added: categories by 编号, then the accounts level by level, each under its
// category or parent. An account whose category or parent node is missing is left out with its whole sub-tree; a
// key met a second time is left out too.
std::vector<AccountNode> funReadTree();

// The code of an account node's key; empty for a category key.
QString codeOfKey(const QString& key);

} // namespace kessory::accounts
