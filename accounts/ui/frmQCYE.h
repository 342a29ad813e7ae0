#pragma once

#include "accounts/Openings.h"

#include <QDialog>
#include <map>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class ctlCashFormat;

// 期初余额: the chart as a tree with each account's balance side and opening balance. Leaf accounts are typed (an
// amount on the side chosen, the account's balance side by default); parents show the sum of their children;
// 试算平衡 sets debit openings against credit openings, red while they differ.
class frmQCYE final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmQCYE)
public:
    explicit frmQCYE(QWidget* parent = nullptr);
    ~frmQCYE() override;

    // The openings as typed now, credit minus debit in whole fen, by leaf account.
    std::map<QString, qint64> typed() const;
    // Sets a leaf's opening (signed like the store) as if typed.
    void setTyped(const QString& code, qint64 cents);
    // Saves what is typed; false (after its message) when refused.
    bool save();
    // Recomputes the parents' sums and the trial balance from what is typed.
    void refreshTotals();

private:
    struct Leaf {
        QComboBox* side = nullptr;
        ctlCashFormat* amount = nullptr;
    };
    struct Parent {
        QTreeWidgetItem* item = nullptr;
        ctlCashFormat* amount = nullptr;
        bool creditSide = false;
    };

    void load();

    QTreeWidget* m_tree = nullptr;
    QLabel* m_lblState = nullptr;
    ctlCashFormat* m_csfDebit = nullptr;
    ctlCashFormat* m_csfCredit = nullptr;
    QLabel* m_lblTrial = nullptr;
    QPushButton* m_cmdSave = nullptr;
    QTimer* m_timer = nullptr;
    std::map<QString, Leaf> m_leaves;
    std::map<QString, Parent> m_parents;
    std::map<QString, qint64> m_shown;
    // Openings stored on codes that are no leaf of the chart (a year end carries a balance posted to a parent
    // there): not typed here, but counted in the sums and the trial balance.
    std::map<QString, qint64> m_elsewhere;
};
