#pragma once

#include "accounts/AccountWrite.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kessory {
class TreeIconList;
}

// 会计科目管理器: the chart of accounts as a tree, the detail of the clicked account, and the commands that add a
// sub-account, change or delete the shown account. The rules themselves live in the accounts core.
class frmKM final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmKM)

public:
    explicit frmKM(QWidget* parent = nullptr);

    // Rebuilds the tree from 财务科目 (all nodes collapsed) and leaves any mode.
    void funLoadTree();
    // Empties and locks the detail area and leaves any mode.
    void funClearDetail();

    // What 确  认 will do: nothing (browsing), add the typed account, change the shown one, or delete it.
    enum class Mode { Browse, Append, Modify, Delete };
    Mode mode() const { return m_mode; }
    bool blnAppend() const { return m_mode == Mode::Append; }
    bool blnDelete() const { return m_mode == Mode::Delete; }
    bool blnModify() const { return m_mode == Mode::Modify; }

private:
    void buildControls();
    // The ten controls of the detail area that the program locks and unlocks together.
    std::array<QWidget*, 10> detailControls() const;
    void setDetailEnabled(bool enabled);
    void setCommandsEnabled(bool enabled);
    void emptyFields();
    void commonEnd();
    // Selects the account of this code in the tree, its branch expanded, and shows it.
    void showAccount(const QString& code);
    kessory::accounts::AccountInput fieldInput() const;
    static void setComboText(QComboBox* combo, const QString& text);

    void onNodeClick(QTreeWidgetItem* item);
    void onAppend();
    void onModify();
    void onDelete();
    void onAccept();
    void onCodeChanged(const QString& text);
    void onPageFormatChanged(const QString& text);

    QTreeWidget* m_tree = nullptr;
    kessory::TreeIconList* m_icons = nullptr;
    QLabel* m_nature = nullptr;
    QLineEdit* m_code = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_category = nullptr;
    QComboBox* m_pageFormat = nullptr;
    QGroupBox* m_currencyGroup = nullptr;
    QCheckBox* m_currencyTick = nullptr;
    QComboBox* m_currency = nullptr;
    QGroupBox* m_quantityGroup = nullptr;
    QCheckBox* m_quantityTick = nullptr;
    QComboBox* m_unit = nullptr;
    QCheckBox* m_journal = nullptr;
    QCheckBox* m_bank = nullptr;
    QPushButton* m_append = nullptr;
    QPushButton* m_modify = nullptr;
    QPushButton* m_delete = nullptr;

    Mode m_mode = Mode::Browse;
    bool m_loading = false;
    QString m_shownKey; // key of the node last clicked
    QString m_shownMode; // 记账方式 of the shown account
};
