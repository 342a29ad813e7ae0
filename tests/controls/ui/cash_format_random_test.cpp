#include "tests/controls/ui/CashHost.h"

#include <QRandomGenerator>
#include <array>

using kessory::test::CashHost;

namespace {

// An independent account of what each key does to the twelve digits and the focus, written from the keyboard
// table rather than from the control's code.
struct Reference {
    std::array<int, 12> d {};
    int focus = 2;
    enum class Where { Inside, Next, Beyond };

    void set(qint64 cents)
    {
        d.fill(0);
        for (int i = 0; i < 12 && cents > 0; ++i, cents /= 10)
            d[static_cast<size_t>(i)] = static_cast<int>(cents % 10);
    }
    qint64 cents() const
    {
        qint64 c = 0;
        for (int i = 11; i >= 0; --i)
            c = c * 10 + d[static_cast<size_t>(i)];
        return c;
    }
    int highest() const
    {
        for (int i = 11; i >= 0; --i) {
            if (d[static_cast<size_t>(i)] != 0)
                return i;
        }
        return -1;
    }
    bool usable(int i) const { return i >= 0 && i < 12 && (i <= 2 || i <= highest()); }
    int settle(int i) const
    {
        while (i >= 0 && !usable(i))
            --i;
        return i;
    }
    std::string shown() const
    {
        std::string s;
        for (int i = 11; i >= 0; --i)
            s += usable(i) ? static_cast<char>('0' + d[static_cast<size_t>(i)]) : '_';
        return s;
    }
    void removeAt(int f)
    {
        if (f >= 2) {
            for (int m = f; m < 11; ++m)
                d[static_cast<size_t>(m)] = d[static_cast<size_t>(m + 1)];
            d[11] = 0;
        } else {
            d[static_cast<size_t>(f)] = 0;
        }
    }

    Where press(const std::string& key)
    {
        const int f = focus;
        if (key.size() == 1 && key[0] >= '0' && key[0] <= '9') {
            const int k = key[0] - '0';
            if (f >= 2 && f <= 10) {
                for (int m = 11; m > f; --m)
                    d[static_cast<size_t>(m)] = d[static_cast<size_t>(m - 1)];
                d[static_cast<size_t>(f)] = k;
            } else {
                d[static_cast<size_t>(f)] = k;
                if (f == 1)
                    focus = 0;
            }
        } else if (key == ".") {
            focus = 1;
        } else if (key == "Backspace") {
            removeAt(f);
            focus = f == 0 ? 0 : f - 1;
        } else if (key == "Delete" || key == "a" || key == "-" || key == " ") {
            removeAt(f);
        } else if (key == "Left") {
            if (f < 11 && usable(f + 1))
                focus = f + 1;
        } else if (key == "Right") {
            if (f == 0)
                return Where::Next;
            focus = f - 1;
        } else if (key == "Enter") {
            return f >= 3 ? Where::Beyond : Where::Next;
        } else if (key == "Tab") {
            if (f <= 1)
                focus = 2;
            else
                return Where::Next;
        }
        // A cell left blank gives the focus to the nearest digit on its right.
        if (!usable(focus))
            focus = settle(focus - 1);
        return Where::Inside;
    }
};

void typeKey(const std::string& key)
{
    QWidget* w = QApplication::focusWidget();
    if (key == "Backspace")
        QTest::keyClick(w, Qt::Key_Backspace);
    else if (key == "Delete")
        QTest::keyClick(w, Qt::Key_Delete);
    else if (key == "Left")
        QTest::keyClick(w, Qt::Key_Left);
    else if (key == "Right")
        QTest::keyClick(w, Qt::Key_Right);
    else if (key == "Enter")
        QTest::keyClick(w, Qt::Key_Return);
    else if (key == "Tab")
        QTest::keyClick(w, Qt::Key_Tab);
    else
        QTest::keyClick(w, key[0]);
}

} // namespace

TEST(ctlCashFormatRandom, KeySequencesKeepTheCellsShowingExactlyTheValue)
{
    CashHost h;
    const std::vector<std::string> keys
        = { "0", "1", "2", "3", "4",         "5",      "6",    "7",    "8",     "9",     "5",  "0",
            ".", "a", "-", " ", "Backspace", "Delete", "Left", "Left", "Right", "Enter", "Tab" };
    QRandomGenerator rng(20240601);
    int keysTyped = 0;
    for (int sequence = 0; sequence < 1000; ++sequence) {
        Reference ref;
        // Start from zero, a small amount or a full twelve-digit one.
        const int digits = static_cast<int>(rng.bounded(13));
        qint64 start = 0;
        for (int i = 0; i < digits; ++i)
            start = start * 10 + rng.bounded(10);
        ref.set(start);
        h.csf->setValue(static_cast<double>(start) / 100.0);
        h.enterAtYuan();
        ref.focus = 2;
        std::string typed;
        const int length = 1 + static_cast<int>(rng.bounded(25));
        for (int n = 0; n < length; ++n) {
            const std::string& key = keys[rng.bounded(static_cast<quint32>(keys.size()))];
            typed += key + ' ';
            typeKey(key);
            if (qEnvironmentVariableIsSet("CASH_TRACE"))
                qDebug() << key.c_str() << h.focusCell() << QApplication::focusWidget() << h.shown().c_str();
            ++keysTyped;
            const auto where = ref.press(key);
            const std::string context = "start " + std::to_string(start) + " keys " + typed;

            // The cells hold single digits, blank only above the highest digit, and show exactly Value.
            const std::string cells = h.shown();
            ASSERT_EQ(cells, ref.shown()) << context;
            ASSERT_EQ(h.csf->Value(), static_cast<double>(ref.cents()) / 100.0) << context;
            ASSERT_EQ(kessory::CashDigits::formatDigits(QString::fromStdString(cells), ""), h.csf->digits().strDigits())
                << context;
            for (int i = 0; i < 12; ++i) {
                const QString t = h.cell(i)->text();
                ASSERT_LE(t.size(), 1) << context;
                ASSERT_EQ(h.cell(i)->isEnabled(), !t.isEmpty()) << context << " cell " << i;
            }
            if (where == Reference::Where::Inside) {
                ASSERT_EQ(h.focusCell(), ref.focus) << context;
            } else {
                ASSERT_TRUE((where == Reference::Where::Next ? h.next : h.beyond)->hasFocus()) << context;
                break;
            }
        }
    }
    EXPECT_GT(keysTyped, 7000);
}
