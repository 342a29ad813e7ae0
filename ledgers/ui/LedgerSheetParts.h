#pragma once

#include <QString>
#include <QWidget>
#include <array>

namespace kessory {

// The sheet's columns, left to right, in 1/1440 inch from the sheet's left edge.
struct LedgerColumn {
    int x;
    int width;
    const char* caption;
    bool stacked; // a one-character-per-line caption ("期" above "间")
    bool amount; // a digit-title strip sits under the caption
};
extern const std::array<LedgerColumn, 8> kLedgerColumns;
// A slot spans the rules left of the first column and right of the last; in pixels of the sheet.
int slotLeftPixels();
int slotWidthPixels();
// A sheet x (1/1440 inch) as a pixel x inside a slot, so that slots and header rules line up.
int slotX(int sheetX);

// The grey page: the title centred at the top, underlined by two rules.
class LedgerPage final : public QWidget {
public:
    LedgerPage(const QString& title, QWidget* parent);
    Q_DISABLE_COPY_MOVE(LedgerPage)

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
};

// The two-line column header: a ruled box per column with its caption.
class LedgerSheetHeader final : public QWidget {
public:
    explicit LedgerSheetHeader(QWidget* parent);
    Q_DISABLE_COPY_MOVE(LedgerSheetHeader)

protected:
    void paintEvent(QPaintEvent* event) override;
};

// One row slot: the ruling of the paper behind the slot's controls. Neighbouring slots overlap by one rule.
class LedgerSlotStrip final : public QWidget {
public:
    explicit LedgerSlotStrip(QWidget* parent);
    Q_DISABLE_COPY_MOVE(LedgerSlotStrip)

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The strip along the sheet's bottom edge: one rule, covering the partly visible lowest slot.
class LedgerBottomStrip final : public QWidget {
public:
    explicit LedgerBottomStrip(QWidget* parent);
    Q_DISABLE_COPY_MOVE(LedgerBottomStrip)

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kessory
