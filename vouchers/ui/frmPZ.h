#pragma once

#include "data/Recordset.h"
#include "vouchers/AccountList.h"
#include "vouchers/VoucherStore.h"
#include "vouchers/VoucherTypes.h"

#include <QDate>
#include <QStringList>
#include <QWidget>
#include <array>

class QComboBox;
class QDateEdit;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QTimer;
class ctlCashFormat;
class ctlCashTitle;

// 凭证管理器: enters, shows, pages through and finds vouchers. The window keeps the event behaviour; the voucher in
// memory and its writes live in VoucherStore.
class frmPZ final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmPZ)
public:
    explicit frmPZ(QWidget* parent = nullptr);
    ~frmPZ() override;

    // The search, as the window's own 查找 runs it and as other windows call it: an empty category or number 0
    // takes both from the search boxes (and writes them back); otherwise shows that voucher.
    void funSearchData(QString& category, qint16& number);

    // Shows a new, unsaved voucher of the category holding these lines and dated date, for review before 保存 (a
    // voucher the program drafts, such as 结转损益). False when the category has no number left.
    bool loadNewVoucher(const QString& category, const QString& date, const QList<kessory::typVoucherLine>& lines);

    // The voucher held in memory (read by tests and by the window's own commands).
    const kessory::VoucherStore& voucher() const { return m_store; }
    const kessory::StampSet& stamps() const { return m_stamps; }

    // Whether the shown voucher differs from what was displayed or begun (typed lines, date, attachments).
    bool isModified();
    // Before the shown voucher is left: when it has unsaved changes, asks "凭证已修改，是否保存？". True when the
    // window may go on (saved, or the changes given up); false on 取消 or a refused save.
    bool funConfirmLeave();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Building the window.
    void buildToolBar();
    void buildVoucherPicture();
    void buildSheet();
    void buildRow(int r);
    void buildLookup();
    void setTabOrders();
    void layoutWindow();

    // The list, the display and the category.
    void funOpenVoucherList(const QString& sql);
    void funShowVoucher(bool isNew);
    bool funLoadLines(bool isNew);
    void funClearVoucher();
    void funShowCategory(const QString& category);
    void funSetMoveButtons();
    void funNewVoucher(const QString& category);
    void setVoucherNumber(const QString& caption);
    void showStamp(kessory::Stamp stamp, bool shown);
    bool attachmentCountHolds();
    bool dateHolds();
    bool balanceHolds();
    // The 记账日期 text the date field gives; the shown text itself while its day is unchanged.
    QString dateText() const;
    void showDate(const QString& text);
    QString fingerprint();
    void takeSnapshot();
    // Puts the list back on the voucher with this id after a save reopened it; false when it is not there.
    bool returnToRow(qint64 id);
    bool leaveFor(bool move);
    bool numberHolds(const QString& category, qint32 number);
    // Shows why the shown voucher (or one dated date) cannot be written: a read-only book or a closed month.
    bool writeRefused(const QString& date);

    // The writes of the shown voucher: the store's silent write between the window's questions and messages.
    bool funSaveVoucher(bool silent);
    bool funVoidVoucher();
    bool funAuditVoucher(const kessory::StampSet& stamps);
    bool funDeleteVoucher(bool silent);
    // True for a done write; otherwise brings the incomplete line into view or shows why the write was refused.
    bool writeDone(const kessory::VoucherWrite& write);
    // Puts the list on the voucher just written and shows it afresh.
    void showWritten();

    // Commands.
    void onFirst();
    void onPrevious();
    void onNext();
    void onLast();
    void onRefresh();
    void onSearch();
    void onCreateNew();
    bool onSave();
    void onVoid();
    void onDelete();
    void onAudit();
    void onQuit();
    void onCategoryLabelClicked();
    void onCategoryChosen(int index);

    // The sheet.
    void funShowPage(int top);
    void funStoreRow(int row, int top);
    void funNetRows();
    void funSumVoucher();
    // Totals, difference and the unbalanced stamp from the lines in memory, after the row just typed into is stored.
    void liveTotals(int row);
    void showTotals();
    void funEnableSheet(bool flag);
    void funLoadAccountList();
    void funLocateAccount(const QString& text);
    void onTimerTick();
    void onScroll(int value);
    void bringLineIntoView(int line);
    void moveFocusOn();

    // The account name box and its look-up list.
    bool nameKeyDown(int row, QKeyEvent* key);
    bool nameKeyPress(int row, QKeyEvent* key);
    void nameKeyUp(int row, QKeyEvent* key);
    void nameEnter(int row);
    void showLookup(int row);
    int selectedAccount() const;
    void selectAccount(int index);
    void takeSelectedName(int row);

    kessory::VoucherStore m_store;
    kessory::RecordsetPtr m_rsList;
    kessory::StampSet m_stamps;
    bool m_blnNewVoucher = false;
    qint16 m_intCurRow = 0;
    int m_shownTop = 0;
    QStringList m_accounts;
    kessory::AccountList::Cache m_accountCache;
    // The voucher date as displayed (its text and the day the field started on) and the content at display.
    QString m_dateText;
    QDate m_shownDate;
    QString m_snapshot;

    QWidget* m_picToolBar = nullptr;
    QFrame* m_fraMove = nullptr;
    QFrame* m_fraCtrl = nullptr;
    QPushButton* m_cmd_First = nullptr;
    QPushButton* m_cmd_Prev = nullptr;
    QPushButton* m_cmd_Next = nullptr;
    QPushButton* m_cmd_Last = nullptr;
    QPushButton* m_cmd_Refresh = nullptr;
    QLineEdit* m_txt_Search = nullptr;
    QComboBox* m_cmb_Search = nullptr;
    QPushButton* m_cmd_Search = nullptr;
    QPushButton* m_cmd_CreateNew = nullptr;
    QPushButton* m_cmd_Save = nullptr;
    QPushButton* m_cmd_Delete = nullptr;
    QPushButton* m_cmd_DeleteRec = nullptr;
    QPushButton* m_cmd_SH = nullptr;
    QPushButton* m_cmd_ZD = nullptr;
    QPushButton* m_cmd_Quit = nullptr;

    QWidget* m_picPZ = nullptr;
    QLabel* m_lbl_PZTitle = nullptr;
    QLabel* m_lbl_PZLB = nullptr;
    QComboBox* m_cmb_PZLB = nullptr;
    QLabel* m_lbl_PZHM = nullptr;
    QLabel* m_lbl_ID = nullptr;
    QDateEdit* m_dtp_ZDRQ = nullptr;
    QLineEdit* m_txt_FDJS = nullptr;
    QLabel* m_lbl_JZR = nullptr;
    QLabel* m_lbl_SHR = nullptr;
    QLabel* m_lbl_ZDR = nullptr;
    std::array<QLabel*, kessory::kStampCount> m_imgState {};

    QWidget* m_picPZSheet = nullptr;
    std::array<QWidget*, 5> m_picPZJL {};
    std::array<QLineEdit*, 5> m_txtZY {};
    std::array<QLineEdit*, 5> m_txtKMMC {};
    std::array<QLabel*, 5> m_lbl_KMBH {};
    std::array<ctlCashFormat*, 5> m_csfJFJE {};
    std::array<ctlCashFormat*, 5> m_csfDFJE {};
    ctlCashFormat* m_csfJFHJ = nullptr;
    ctlCashFormat* m_csfDFHJ = nullptr;
    ctlCashFormat* m_csfDiff = nullptr;
    QScrollBar* m_sclPZItem = nullptr;
    QFrame* m_picKMSelect = nullptr;
    QListWidget* m_lstKMSelect = nullptr;
    QTimer* m_timRefresh = nullptr;
};
