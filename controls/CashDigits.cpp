#include "controls/CashDigits.h"

#include "data/Numbers.h"

#include <cmath>

namespace kessory {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

QString digitText(int d)
{
    return QString(QChar(u'0' + d));
}

} // namespace

CashDigits::CashDigits()
{
    for (int i = 0; i < cash::kCells; ++i)
        setCell(i, i <= cash::kYuanCell ? QStringLiteral("0") : QString(), false);
}

void CashDigits::setCell(int i, const QString& text, bool enabled)
{
    m_text[static_cast<size_t>(i)] = text;
    m_enabled[static_cast<size_t>(i)] = enabled;
}

QString CashDigits::formatDigits(const QString& s, const QString& fallback)
{
    QString t = s.trimmed();
    if (t.isEmpty())
        t = fallback.trimmed();
    QString digits;
    digits.reserve(t.size());
    for (QChar c : t) {
        if (isAsciiDigit(c))
            digits.append(c);
    }
    // Leading zeros go as a number conversion would drop them, but without a double's limited precision.
    qsizetype first = 0;
    while (first < digits.size() - 1 && digits[first] == u'0')
        ++first;
    digits = digits.mid(first);
    if (digits.isEmpty())
        digits = QStringLiteral("0");
    if (digits.size() < 3)
        digits = QString(3 - digits.size(), u'0') + digits;
    return digits;
}

int CashDigits::lastDigit(const QString& text)
{
    const double v = std::trunc(std::fabs(leadingNumber(text)));
    if (!std::isfinite(v))
        return 0;
    return static_cast<int>(std::fmod(v, 10.0));
}

QString CashDigits::readCells(const Cells& cells)
{
    QString result;
    for (int i = 0; i < cash::kCells; ++i) {
        const QString& text = cells[static_cast<size_t>(i)];
        const QString part = i <= cash::kJiaoCell ? digitText(lastDigit(text)) : text.trimmed();
        result.prepend(part);
    }
    return result;
}

void CashDigits::funShowDigits(const QString& s)
{
    QString t = s.trimmed();
    if (t.isEmpty())
        t = m_strDigits.trimmed();
    t.remove(u'.');
    if (t.size() > cash::kCells)
        t = t.right(cash::kCells);
    const int filled = static_cast<int>(t.size());
    for (int p = 1; p <= filled; ++p) {
        const QChar c = t[filled - p];
        if (isAsciiDigit(c))
            setCell(p - 1, QString(c), m_blnEnabled);
        else
            setCell(p - 1, QString(), false);
    }
    for (int i = filled; i < cash::kCells; ++i)
        setCell(i, QString(), false);
}

void CashDigits::funSetValue(double amount)
{
    m_strDigits = QString::number(toCents(amount));
    m_strDigits = funFormatDigits(QString()); // drops the sign: the control holds magnitudes
    funShowDigits();
}

double CashDigits::funGetValue() const
{
    // Parsing the decimal text gives the double nearest to the amount, however many digits it has.
    const qsizetype point = m_strDigits.size() - 2;
    const QString decimal = m_strDigits.left(point) + u'.' + m_strDigits.mid(point);
    return decimal.toDouble();
}

void CashDigits::funRefreshValue()
{
    m_strDigits = funReadCells();
    m_strDigits = funFormatDigits(QString());
    funShowDigits();
}

void CashDigits::funSetEnabled(bool b)
{
    m_blnEnabled = b;
    for (int i = 0; i <= cash::kYuanCell; ++i)
        m_enabled[static_cast<size_t>(i)] = b;
}

int CashDigits::focusTarget(int i) const
{
    for (; i >= 0; --i) {
        if (i < cash::kCells && cellEnabled(i) && !cellText(i).trimmed().isEmpty())
            return i;
    }
    return -1;
}

void CashDigits::shiftUpFrom(int index)
{
    // Each cell above the typed one takes its lower neighbour's digit, top first; zeros above the highest
    // non-zero digit stay blank.
    bool leading = true;
    for (int m = cash::kCells - 1; m > index; --m) {
        const int d = lastDigit(cellText(m - 1));
        if (leading && d == 0) {
            setCell(m, QString(), false);
        } else {
            leading = false;
            setCell(m, digitText(d), m_blnEnabled);
        }
    }
}

CashDigits::Action CashDigits::keyDown(int index, Key key)
{
    Action action;
    switch (key) {
    case Key::Backspace:
    case Key::Delete:
        m_text[static_cast<size_t>(index)].clear();
        break;
    case Key::Enter:
        // From 元 one Tab leaves the control; from 角 or 分 the first Tab only reaches 元, from the higher cells the
        // second goes one field further.
        action.tabs = index == cash::kYuanCell ? 1 : 2;
        break;
    case Key::Left:
        if (index < cash::kCells - 1)
            action.focusCell = index + 1;
        break;
    case Key::Right:
        if (index > cash::kFenCell)
            action.focusCell = index - 1;
        else
            action.tabs = 2;
        break;
    case Key::Other:
        break;
    }
    return action;
}

CashDigits::Action CashDigits::keyPress(int index, QChar ch)
{
    Action action;
    if (isAsciiDigit(ch)) {
        action.focusCell = index;
        if (index >= cash::kYuanCell && index < cash::kCells - 1) {
            shiftUpFrom(index);
        } else if (index == cash::kJiaoCell) {
            action.focusCell = cash::kFenCell;
        }
        m_text[static_cast<size_t>(index)] = QString(ch);
    } else if (ch == u'.') {
        action.focusCell = cash::kJiaoCell;
    } else if (ch == u'\b') {
        m_text[static_cast<size_t>(index)].clear();
    } else {
        // Replaces the selected digit for now; the key release drops it.
        m_text[static_cast<size_t>(index)] = QString(ch);
    }
    return action;
}

} // namespace kessory
