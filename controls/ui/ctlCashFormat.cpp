#include "controls/ui/ctlCashFormat.h"

#include "controls/ui/CashCell.h"
#include "controls/ui/CashRuling.h"
#include "shell/ui/Twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

using kessory::CashCell;
using kessory::CashDigits;
namespace cash = kessory::cash;

namespace {

constexpr int kDigitPixels = 12;

CashDigits::Key keyOf(int key)
{
    switch (key) {
    case Qt::Key_Backspace:
        return CashDigits::Key::Backspace;
    case Qt::Key_Delete:
        return CashDigits::Key::Delete;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return CashDigits::Key::Enter;
    case Qt::Key_Left:
        return CashDigits::Key::Left;
    case Qt::Key_Right:
        return CashDigits::Key::Right;
    default:
        return CashDigits::Key::Other;
    }
}

// The characters a key types into a cell. Backspace counts as one; Enter, Tab, Delete, Escape and other control
// characters type nothing.
QString typedCharacters(const QKeyEvent* event)
{
    if (event->key() == Qt::Key_Backspace)
        return QStringLiteral("\b");
    QString typed;
    for (QChar c : event->text()) {
        if (c.unicode() >= 0x20 && c.unicode() != 0x7f)
            typed.append(c);
    }
    return typed;
}

// The window or MDI child window a widget belongs to: the focus moving to another one is not the control losing it.
const QWidget* hostWindowOf(const QWidget* w)
{
    while (w && !w->isWindow() && w->windowType() != Qt::SubWindow)
        w = w->parentWidget();
    return w;
}

} // namespace

ctlCashFormat::ctlCashFormat(QWidget* parent)
    : QWidget(parent)
{
    m_surface = kessory::setUpCashControl(this, QStringLiteral("ctlCashFormat"), kDigitPixels);
    const auto onPress = [this](int index, QKeyEvent* event) { onCellKeyPress(index, event); };
    const auto onRelease = [this](int index, QKeyEvent* event) { onCellKeyRelease(index, event); };
    for (int i = 0; i < cash::kCells; ++i) {
        auto* cell = new CashCell(i, m_surface);
        cell->setKeyHandlers(onPress, onRelease);
        m_cells[static_cast<size_t>(i)] = cell;
    }
    // Focus given to the control as a whole goes to 元. Setting the proxy may pull 元 forward in the focus chain,
    // so the cells' order (分 first, 十亿 last) is laid down afterwards: Tab from 角 or 分 must reach 元 first.
    setFocusProxy(m_cells[cash::kYuanCell]);
    for (int i = 1; i < cash::kCells; ++i)
        setTabOrder(m_cells[static_cast<size_t>(i - 1)], m_cells[static_cast<size_t>(i)]);

    setFixedWidth(tw(cash::kWidth));
    setMinimumHeight(tw(cash::kCellHeight));
    resize(tw(cash::kWidth), tw(cash::kHeight));
    layoutSurface();

    connect(qApp, &QApplication::focusChanged, this, &ctlCashFormat::onFocusChanged);
    loadProperties();
}

ctlCashFormat::~ctlCashFormat()
{
    // The cells outlive this object's members by a moment: focus changes their destruction causes must not reach it.
    disconnect(qApp, nullptr, this, nullptr);
}

QSize ctlCashFormat::sizeHint() const
{
    return { tw(cash::kWidth), tw(cash::kHeight) };
}

QSize ctlCashFormat::minimumSizeHint() const
{
    return { tw(cash::kWidth), tw(cash::kCellHeight) };
}

double ctlCashFormat::Value() const
{
    return m_digits.funGetValue();
}

void ctlCashFormat::setValue(double value)
{
    funSetValue(value);
    emit storedPropertyChanged(QStringLiteral("Value"));
}

bool ctlCashFormat::Enabled() const
{
    return m_digits.blnEnabled();
}

void ctlCashFormat::setEnabledProperty(bool enabled)
{
    funSetEnabled(enabled);
    emit storedPropertyChanged(QStringLiteral("Enabled"));
}

double ctlCashFormat::funGetValue()
{
    return m_digits.funGetValue();
}

void ctlCashFormat::funSetValue(double amount)
{
    m_digits.funSetValue(amount);
    syncCells();
}

void ctlCashFormat::loadProperties(double value, bool enabled)
{
    m_digits = CashDigits();
    funSetEnabled(false);
    funSetValue(value);
    funSetEnabled(enabled);
}

void ctlCashFormat::funSetEnabled(bool b)
{
    m_digits.funSetEnabled(b);
    applyFocusPolicies();
    syncCells();
}

void ctlCashFormat::applyFocusPolicies()
{
    const bool entry = m_digits.blnEnabled();
    setFocusPolicy(entry ? Qt::StrongFocus : Qt::NoFocus);
    for (int i = 0; i < cash::kCells; ++i) {
        Qt::FocusPolicy policy = Qt::NoFocus;
        if (entry)
            policy = i == cash::kYuanCell ? Qt::StrongFocus : Qt::ClickFocus;
        m_cells[static_cast<size_t>(i)]->setFocusPolicy(policy);
    }
}

void ctlCashFormat::syncCells()
{
    int focused = -1;
    const QWidget* focus = window()->focusWidget();
    for (int i = 0; i < cash::kCells; ++i) {
        CashCell* cell = m_cells[static_cast<size_t>(i)];
        if (cell == focus)
            focused = i;
        if (cell->text() != m_digits.cellText(i))
            cell->setText(m_digits.cellText(i));
        if (m_digits.cellEnabled(i) && cell->testAttribute(Qt::WA_ForceDisabled))
            cell->setEnabled(true);
    }
    // Disabling the focused cell would send the focus on to the host's next field: move it to the nearest digit
    // to the right first.
    if (focused >= 0 && !m_digits.cellEnabled(focused)) {
        const int target = m_digits.focusTarget(focused - 1);
        if (target >= 0)
            funFocusCell(target);
    }
    for (int i = 0; i < cash::kCells; ++i) {
        CashCell* cell = m_cells[static_cast<size_t>(i)];
        if (!m_digits.cellEnabled(i) && !cell->testAttribute(Qt::WA_ForceDisabled))
            cell->setEnabled(false);
    }
}

void ctlCashFormat::funFocusCell(int i)
{
    for (i = qMin(i, cash::kCells - 1); i >= 0; --i) {
        CashCell* cell = m_cells[static_cast<size_t>(i)];
        cell->setSelection(0, static_cast<int>(cell->text().size()));
        if (cell->isVisible() && cell->isEnabled() && !cell->text().trimmed().isEmpty()) {
            cell->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void ctlCashFormat::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutSurface();
}

void ctlCashFormat::layoutSurface()
{
    const int cellHeight = tw(cash::kCellHeight);
    int surfaceHeight = height();
    if (surfaceHeight <= cellHeight) {
        surfaceHeight = cellHeight;
        if (height() != cellHeight)
            resize(width(), cellHeight);
    }
    m_surface->setGeometry(0, 0, tw(cash::kWidth), surfaceHeight);
    const int top = (surfaceHeight - cellHeight) / 2;
    for (int i = 0; i < cash::kCells; ++i)
        m_cells[static_cast<size_t>(i)]->setGeometry(tw(cash::cellX(i)), top, tw(cash::kCellWidth), cellHeight);
}

bool ctlCashFormat::holds(const QWidget* w) const
{
    return w && (w == this || isAncestorOf(w));
}

void ctlCashFormat::onFocusChanged(QWidget* old, QWidget* now)
{
    if (!now)
        return; // the window lost the activation; the control keeps its place in it
    if (holds(now) && !m_digits.blnEnabled()) {
        // Focus given to a display control (setFocus goes through to a disabled cell): hand it back.
        if (old && !holds(old))
            old->setFocus(Qt::OtherFocusReason);
        else
            now->clearFocus();
        return;
    }
    if (holds(now)) {
        if (m_focusInside)
            return;
        m_focusInside = true;
        QPointer<ctlCashFormat> self(this);
        funFocusCell(cash::kYuanCell);
        if (self)
            emit gotFocus();
    } else if (m_focusInside && hostWindowOf(now) == hostWindowOf(this)) {
        m_focusInside = false;
        // A key press whose release went elsewhere still leaves the cells settled.
        m_digits.funRefreshValue();
        syncCells();
        emit lostFocus();
    }
}

void ctlCashFormat::sendTab()
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = window()->focusWidget();
    if (!target)
        return;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QCoreApplication::sendEvent(target, &press);
    QWidget* after = QApplication::focusWidget() ? QApplication::focusWidget() : target->window()->focusWidget();
    if (after) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        QCoreApplication::sendEvent(after, &release);
    }
}

void ctlCashFormat::onCellKeyPress(int index, QKeyEvent* event)
{
    if (!m_digits.blnEnabled()) {
        event->ignore();
        return;
    }
    QPointer<ctlCashFormat> self(this);
    const CashDigits::Key key = keyOf(event->key());
    const CashDigits::Action down = m_digits.keyDown(index, key);
    syncCells();
    if (down.focusCell >= 0)
        funFocusCell(down.focusCell);
    for (int t = 0; t < down.tabs && self; ++t) {
        if (t > 0)
            QCoreApplication::processEvents();
        if (self)
            sendTab();
    }
    if (self)
        QCoreApplication::processEvents();
    if (!self)
        return;

    const QString typed = typedCharacters(event);
    for (QChar c : typed) {
        // The typed cell is selected first: a cell Backspace emptied cannot keep the focus, which moves right.
        funFocusCell(index);
        const CashDigits::Action press = m_digits.keyPress(index, c);
        syncCells();
        if (press.focusCell >= 0)
            funFocusCell(press.focusCell);
    }
    // Keys the control has no use for (Up, Down, Escape, function keys) go on to the host.
    if (key == CashDigits::Key::Other && typed.isEmpty())
        event->ignore();
    else
        event->accept();
}

void ctlCashFormat::onCellKeyRelease(int, QKeyEvent* event)
{
    if (!m_digits.blnEnabled()) {
        event->ignore();
        return;
    }
    m_digits.keyUp();
    syncCells();
    event->accept();
}
