#pragma once

#include "ledgers/DetailLedger.h"

#include <QWidget>
#include <array>
#include <functional>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;

namespace kessory {

class DetailLedgerSheet;
class DetailLedgerSlot;

// The detail ledger window (账薄管理器 - 明细分类账): the rows of one account or all accounts for a period or the
// year, drawn a page at a time on a ruled sheet, with the account pick list and the period lists.
class frmMXZ final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmMXZ)

public:
    explicit frmMXZ(QWidget* parent = nullptr);
    ~frmMXZ() override;

    const DetailLedger& ledger() const { return m_ledger; }

    // Shows one account (with its sub-accounts) for a month, or the whole year for 0, as a pick of it would.
    void showAccount(const QString& code, const QString& name, qint16 period);

    // How a double-click on a voucher number opens the voucher: the voucher window's search unless replaced (tests);
    // an empty function restores it.
    using VoucherSearch = std::function<void(const QString& category, qint16 number)>;
    static void setVoucherSearch(VoucherSearch search);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    void buildFrame();

    void funInitLedger();
    void funLoadLedger(qint16 start, qint16 queryOnly, QString accountCode, qint16 period);
    void funClearSheet();
    void funShowLedgerPage(int start);
    int funGetPageRows() const;
    void funFillKMList();
    void funFindKM(const QString& text);

    // The account boxes txtKMMC_0 (tool bar) and txtKMMC_1 (sheet).
    int boxIndex(QObject* watched) const;
    bool onBoxKeyPress(int index, QKeyEvent* event);
    void onBoxKeyRelease(int index, QKeyEvent* event);
    void onBoxFocusOut(int index);
    void moveHighlight(int index, int step);
    void commitPick(int index);
    void showPickList(int index);

    void onKJQJChanged(const QString& text);
    void onKJQJChosen();
    void onRefresh();
    void onSearch();
    void onNumberDoubleClicked(int slot);
    qint16 sheetPeriod() const;

    DetailLedger m_ledger;

    QWidget* m_toolBar = nullptr;
    QComboBox* m_cmbSelectKJQJ = nullptr;
    std::array<QLineEdit*, 2> m_txtKMMC {};
    std::array<QLabel*, 2> m_lblSelectKMBH {};
    QPushButton* m_cmdRefresh = nullptr;
    QPushButton* m_cmdSearch = nullptr;
    QPushButton* m_cmdQuit = nullptr;

    QFrame* m_picMXZ = nullptr;
    QLabel* m_lblSelectKMMC = nullptr;
    QLabel* m_lblKJQJ = nullptr;
    QComboBox* m_cmbKJQJ = nullptr;
    DetailLedgerSheet* m_sheet = nullptr;
    std::array<DetailLedgerSlot*, 20> m_slots {};
    QScrollBar* m_scroll = nullptr;
    QWidget* m_picBottom = nullptr;

    QFrame* m_picKMSelect = nullptr;
    QListWidget* m_lstKMSelect = nullptr;

    // Set while a load or a commit runs: hiding the sheet's editor must not commit again.
    bool m_busy = false;
};

} // namespace kessory
