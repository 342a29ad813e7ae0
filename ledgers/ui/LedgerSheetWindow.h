#pragma once

#include "ledgers/LedgerSheet.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class ctlCashFormat;

namespace kessory {

class LedgerBottomStrip;
class LedgerSheetHeader;

// The ruled ledger sheet that the general ledger and the account summary share: toolbar, page heading with the
// month range, the sheet with its 20 slots, scrolling and painting. A window adds only its store, loader and the
// way an entry is painted.
class LedgerSheetWindow : public QWidget {
    Q_OBJECT

public:
    struct Design {
        QString objectName; // frmZZ, frmKMHZB
        QString caption;
        QString title; // the page title
        QString prefix; // ZZ or KMHZ: picZZ, picZZSheet, sclZZItem, picZZJL_i
        bool hasPeriod; // the period column is painted (general ledger)
    };

    ~LedgerSheetWindow() override;
    Q_DISABLE_COPY_MOVE(LedgerSheetWindow)

    void funRefreshData(qint16 start, qint16 end);
    void funShowItem(qint16 top);
    void funClearSheet();
    void funSyncMonth();
    void funInitForm();
    qint16 funGetPageRows() const;

protected:
    LedgerSheetWindow(const Design& design, QWidget* parent);

    // The window's own store and loader.
    virtual void funLoadItem(qint16& start, qint16& end) = 0;
    virtual void funClearData() = 0;
    virtual qint16 itemCount() const = 0;
    virtual LedgerSlotView slotView(int entry) const = 0;

    // The value of a heading label: its caption's leading number, halves to even.
    qint16 labelValue(const QLabel* label) const;
    QLabel* lblStartMonth() const { return m_lblStartMonth; }
    QLabel* lblEndMonth() const { return m_lblEndMonth; }

    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Slot {
        QWidget* strip = nullptr;
        QLabel* lbl_KMBH = nullptr;
        QLineEdit* txtKMMC = nullptr;
        QLabel* lblKJQJ = nullptr;
        QLineEdit* txtZY = nullptr;
        ctlCashFormat* csfJFJE = nullptr;
        ctlCashFormat* csfDFJE = nullptr;
        QLabel* lblFX = nullptr;
        ctlCashFormat* csfDiff = nullptr;
    };

    void buildToolBar();
    void buildPage();
    void buildSheet();
    void buildSlot(int index);
    void paintSlot(int slot, const LedgerSlotView& view);
    void blankSlot(int slot, bool clearing);
    void refreshShownRange();
    void monthLabelClicked(QLabel* label, QComboBox* list);
    void monthListDone(QComboBox* list);

    Design m_design;
    QWidget* m_picToolBar = nullptr;
    QComboBox* m_cmbSelectStartMonth = nullptr;
    QComboBox* m_cmbSelectEndMonth = nullptr;
    QPushButton* m_cmdSearch = nullptr;
    QPushButton* m_cmdRefresh = nullptr;
    QPushButton* m_cmdQuit = nullptr;
    QWidget* m_page = nullptr;
    QLabel* m_lblND = nullptr;
    QLabel* m_lblStartMonth = nullptr;
    QLabel* m_lblEndMonth = nullptr;
    QComboBox* m_cmbStartMonth = nullptr;
    QComboBox* m_cmbEndMonth = nullptr;
    QWidget* m_sheet = nullptr;
    LedgerSheetHeader* m_header = nullptr;
    QWidget* m_shpZYTitle = nullptr;
    QScrollBar* m_scroll = nullptr;
    LedgerBottomStrip* m_picBottom = nullptr;
    std::array<Slot, LedgerSheet::kSlots> m_slots;
};

} // namespace kessory
