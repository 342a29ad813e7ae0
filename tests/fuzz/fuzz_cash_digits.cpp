// Fuzzes the amount control's digit model with key sequences and values. After every completed key (down, press,
// release) or value write, the cells must show exactly the last twelve digits of the amount, blank above it.
#include "controls/CashDigits.h"
#include "data/Numbers.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using kessory::CashDigits;

namespace {

void check(const CashDigits& m)
{
    const QString& d = m.strDigits();
    if (d.size() < 3)
        std::abort();
    for (QChar c : d) {
        if (!c.isDigit())
            std::abort();
    }
    if (d.size() > 3 && d[0] == u'0')
        std::abort();
    const QString shown = d.right(12);
    for (int i = 0; i < 12; ++i) {
        const QString& cell = m.cellText(i);
        if (i < shown.size()) {
            if (cell != QString(shown[shown.size() - 1 - i]) || m.cellEnabled(i) != m.blnEnabled())
                std::abort();
        } else if (!cell.isEmpty() || m.cellEnabled(i)) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CashDigits m;
    m.funSetValue(0);
    m.funSetEnabled(true);
    m.funShowDigits();
    static const CashDigits::Key keys[]
        = { CashDigits::Key::Backspace, CashDigits::Key::Delete, CashDigits::Key::Enter,
            CashDigits::Key::Left,      CashDigits::Key::Right,  CashDigits::Key::Other };
    size_t i = 0;
    int focus = 2;
    while (i + 1 < size) {
        const uint8_t op = data[i++];
        const uint8_t arg = data[i++];
        switch (op % 4) {
        case 0: { // a value written by the host
            if (i + 8 > size)
                return 0;
            double v;
            std::memcpy(&v, data + i, sizeof v);
            i += 8;
            if (!std::isfinite(v) || std::fabs(v) >= 1e13)
                break;
            m.funSetValue(v);
            check(m);
            if (std::fabs(v) < 1e10 && kessory::toCents(m.funGetValue()) != std::llabs(kessory::toCents(v)))
                std::abort();
            break;
        }
        case 1: { // a key without a character
            const int cell = m.focusTarget(focus);
            if (cell < 0)
                break;
            const auto action = m.keyDown(cell, keys[arg % 6]);
            m.keyUp();
            check(m);
            if (action.focusCell >= 0)
                focus = action.focusCell;
            break;
        }
        default: { // a character: digits most of the time, sometimes the point or anything else
            const int cell = m.focusTarget(focus);
            if (cell < 0)
                break;
            QChar ch;
            if (arg < 200)
                ch = QChar(u'0' + arg % 10);
            else if (arg < 215)
                ch = QChar(u'.');
            else if (arg < 225)
                ch = QChar(u'\b');
            else
                ch = QChar(static_cast<char16_t>(0x20 + arg));
            const auto action = m.keyPress(cell, ch);
            m.keyUp();
            check(m);
            focus = action.focusCell >= 0 ? action.focusCell : cell;
            break;
        }
        }
    }
    return 0;
}
