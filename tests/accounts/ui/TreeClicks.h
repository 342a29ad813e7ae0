#pragma once

#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

namespace kessory::test {

// The chart's node with that key ("B101", "资产类"), or nullptr.
inline QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& key)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key)
            return *it;
    }
    return nullptr;
}

// Opens the node's parents and clicks on its text, as a user does.
inline void clickNode(QTreeWidget* tree, const QString& key)
{
    QTreeWidgetItem* item = findNode(tree, key);
    ASSERT_NE(item, nullptr) << key.toStdString();
    for (QTreeWidgetItem* p = item->parent(); p; p = p->parent())
        p->setExpanded(true);
    tree->scrollToItem(item);
    const QRect rect = tree->visualItemRect(item);
    const QPoint onText(qBound(1, rect.left() + 30, tree->viewport()->width() - 2), rect.center().y());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, onText);
    ASSERT_EQ(tree->currentItem(), item) << key.toStdString();
}

} // namespace kessory::test
