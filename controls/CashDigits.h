#pragma once

#include <QChar>
#include <QString>
#include <array>

namespace kessory {

// Geometry of the digit columns, in twips. Cell i holds the digit worth 10^(i-2) yuan; cell 11 stands leftmost.
namespace cash {
constexpr int kCells = 12;
constexpr int kWidth = 1815;
constexpr int kHeight = 705;
constexpr int kCellWidth = 105;
constexpr int kCellHeight = 195;
constexpr int kPitch = 150;
constexpr int kYuanCell = 2;
constexpr int kJiaoCell = 1;
constexpr int kFenCell = 0;

constexpr int cellX(int index)
{
    return (kCells - 1 - index) * kPitch;
}
// Ruling line k (0 to 11) stands just left of the column at x = 150k; line 0 lies outside the left edge.
constexpr int lineX(int k)
{
    return k * kPitch - 30;
}

enum class LineKind { Light, Thousands, Point };
// The lines left of 亿, 十万 and 百 mark the thousands; the one left of 角 stands for the decimal point.
constexpr LineKind lineKind(int k)
{
    if (k == 10)
        return LineKind::Point;
    if (k == 1 || k == 4 || k == 7)
        return LineKind::Thousands;
    return LineKind::Light;
}
} // namespace cash

// The digit model of the amount control: the amount as a digit string in 分 plus the text and enabled state of the
// twelve cells. The control turns key events into calls here and mirrors the cells; between a key press and its
// release the cells may briefly hold a non-digit, which keyUp() clears.
class CashDigits {
public:
    using Cells = std::array<QString, cash::kCells>;

    enum class Key { Backspace, Delete, Enter, Left, Right, Other };
    // What the control does with the focus after a key: funFocusCell(focusCell) when focusCell >= 0, then `tabs`
    // forward Tab keystrokes (pending events processed between them).
    struct Action {
        int focusCell = -1;
        int tabs = 0;
    };

    // As created: 元, 角 and 分 show "0", the rest blank, every cell disabled because the control is not yet
    // loaded (blnEnabled False).
    CashDigits();

    // Normalises a digit string: trimmed (the fallback when that is empty), digits only, no leading zeros, at least
    // three digits. Exact for any length.
    static QString formatDigits(const QString& s, const QString& fallback);
    QString funFormatDigits(const QString& s) const { return formatDigits(s, m_strDigits); }
    // The digits the cells show, read from cell 11 down to cell 0. 角 and 分 give the last digit of their number
    // (0 when there is none); the other cells give their trimmed text as it stands.
    static QString readCells(const Cells& cells);
    QString funReadCells() const { return readCells(m_text); }
    // The last decimal digit of a cell's leading number, 0 when it has none.
    static int lastDigit(const QString& text);

    // Puts the last 12 characters of s (strDigits when s is blank) into the cells; strDigits is not changed.
    void funShowDigits(const QString& s = QString());
    // Rounds to whole 分 (halves away from zero, on the decimal the user sees) and shows the magnitude.
    void funSetValue(double amount);
    // strDigits / 100: the full amount, even beyond the twelve columns.
    double funGetValue() const;
    // Reads the cells back into strDigits and shows it again: what every key release does.
    void funRefreshValue();
    // 元, 角 and 分 follow at once; the other cells at the next funShowDigits.
    void funSetEnabled(bool b);

    // The cell funFocusCell(i) settles on: i or the nearest cell to its right that is enabled and not blank; -1 for
    // none.
    int focusTarget(int i) const;

    Action keyDown(int index, Key key);
    // A character typed into a cell; Backspace arrives here as u'\b'. The control has already applied
    // funFocusCell(index) (selecting the typed cell) before the character; the action is the move after it.
    Action keyPress(int index, QChar ch);
    void keyUp() { funRefreshValue(); }

    bool blnEnabled() const { return m_blnEnabled; }
    const QString& strDigits() const { return m_strDigits; }
    const QString& cellText(int i) const { return m_text[static_cast<size_t>(i)]; }
    bool cellEnabled(int i) const { return m_enabled[static_cast<size_t>(i)]; }
    const Cells& cells() const { return m_text; }

private:
    void shiftUpFrom(int index);
    void setCell(int i, const QString& text, bool enabled);

    bool m_blnEnabled = false;
    QString m_strDigits = QStringLiteral("000");
    Cells m_text;
    std::array<bool, cash::kCells> m_enabled {};
};

} // namespace kessory
