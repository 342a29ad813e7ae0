#pragma once

#include <QHash>
#include <QIcon>
#include <QObject>

namespace kessory {

// The tree's image list: three 16 x 16 pictures drawn here, found by key ("i_BM" category, "i_GW" account with
// sub-accounts, "i_MJ" leaf account).
class TreeIconList final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TreeIconList)

public:
    explicit TreeIconList(QObject* parent = nullptr);
    // The picture of a key; a null icon for an unknown key.
    QIcon icon(const QString& key) const;
    QStringList keys() const { return m_icons.keys(); }

private:
    QHash<QString, QIcon> m_icons;
};

} // namespace kessory
