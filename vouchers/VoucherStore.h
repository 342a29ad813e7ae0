#pragma once

#include "data/Recordset.h"
#include "vouchers/VoucherTypes.h"

#include <QSet>
#include <QString>

namespace kessory {

// What a write of the voucher gave: done, or refused with the message that says why (empty for an incomplete line,
// whose index then tells the window which line to bring into view).
struct VoucherWrite {
    bool ok = false;
    QString message;
    int incompleteLine = -1;
    explicit operator bool() const { return ok; }
};

// The one voucher the voucher window holds in memory, its numbering and its writes. The save and the delete each
// run in one transaction on a recordset of their own: a failed statement leaves the file as it was before the
// command, and the window's voucher list is never disturbed.
class VoucherStore {
public:
    // Starts with every field at its zero value; the first clear sets the voucher date.
    VoucherStore();

    typVoucher header;
    VoucherLines arrLines {};
    qint16 intLineCount = 0;

    // Header to zeros and empty texts (记账日期 "1900-01-01"), no lines, slots 0 to 127 emptied.
    void funClearBuffer();
    // The largest number of the category plus 1; 1 for a category without vouchers, a negative maximum or a failure.
    static qint32 funNextVoucherNo(const QString& category);
    // Counts the leading non-empty lines (at most 128) and numbers them 1, 2, 3 ...
    qint16 funCountLines();
    // -1 when every line before the first empty one is complete; else the index of the first incomplete line;
    // 0 when all 128 counted slots are complete.
    qint16 funCheckLines() const;

    // Writes the voucher in one transaction: a new one (编号 0) under its number or, when another copy has taken
    // that number meanwhile, the next free one; a stored one by its 编号, and only while the file still holds it as
    // it was loaded. Lines by id and record number. Nothing is shown; a refusal is logged.
    VoucherWrite saveVoucher();
    // Why 作废, 审核 or 删除 may not start on the voucher under those stamps; empty when it may (the window asks its
    // question next).
    QString voidRefusal(const StampSet& stamps) const;
    QString auditRefusal(const StampSet& stamps) const;
    QString deleteRefusal(const StampSet& stamps) const;
    // The writes of 作废 and 审核 (the voucher saved with its stamp) and of 删除 (header and lines in one
    // transaction, with the closed month and the voucher as loaded checked again inside it).
    VoucherWrite voidVoucher();
    VoucherWrite auditVoucher();
    VoucherWrite deleteVoucher();

    // Copies a header row and the rows of the lines query (VoucherSql::linesWithAccounts) into memory, and keeps a
    // digest of both as read, against which a later write checks that the stored voucher is still the one shown.
    void funLoadVoucher(Recordset& headerRow, Recordset* lineRows);
    // Reads the stored voucher of that id as the window shows it; false when there is none.
    bool loadStored(qint32 id);

    // The month of a date text of the program (1 to 12), 0 when the text is no date.
    static int monthOf(const QString& dateText);

    // The message when the voucher in the file is no longer the one loaded.
    static QString changedElsewhereMessage();
    // Texts of a voucher hold at most this many characters (what a one-line box of the window holds).
    static constexpr int kMaxTextLength = 32767;

private:
    VoucherWrite failSave(const QString& message);
    // Checks and completes the header before anything is written; the message that refuses the save, else empty.
    QString prepareHeader();
    // The writes of one save inside its transaction; the message of the first failure, else empty.
    QString writeVoucher(qint32& id);
    // Whether the file still holds the loaded voucher unchanged (read inside the caller's transaction).
    bool stillAsLoaded();
    // The digest of the stored voucher of that id as it is in the file now; empty when it cannot be read.
    static QByteArray storedDigest(qint32 id, RecordsetPtr& rs);

    RecordsetPtr m_rs;
    qint32 m_loadedId = 0;
    QByteArray m_loadedDigest;
    // Every stored line read at load, including any beyond the slots the window holds.
    int m_loadedLines = 0;
    // The account codes of the lines as stored: a line on an account missing from the chart is kept when it was
    // already so in the file.
    QSet<QString> m_loadedCodes;
    // What the change log calls the save under way: 保存, or 作废 / 审核 when those commands re-save the voucher.
    QString m_logAction = QStringLiteral("保存");
};

} // namespace kessory
