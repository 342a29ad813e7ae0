#include "shell/ui/WindowHost.h"

#include "shell/ui/CommandKeys.h"
#include "shell/ui/WindowFactories.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace kessory {

WindowHost& WindowHost::instance()
{
    static WindowHost host;
    return host;
}

WindowHost::WindowHost() = default;

namespace {

// How each kind is made, in the order of WindowKind.
using Factory = QWidget* (*)();
constexpr std::array<Factory, kWindowKinds> kFactories
    = { createVoucherWindow, createDetailLedgerWindow, createGeneralLedgerWindow, createCashFlowWindow,
        createIncomeWindow,  createBalanceSheetWindow, createAccountWindow,       createSummaryWindow };

} // namespace

// A new child stands wholly inside the frame's area where it fits; one larger than the area starts at its top left
// corner and the area scrolls to the rest.
void WindowHost::placeInside(QWidget* frame) const
{
    if (!m_area)
        return;
    const QSize room = m_area->viewport()->size();
    const auto clamp = [](int at, int size, int space) { return size >= space ? 0 : std::clamp(at, 0, space - size); };
    frame->move(clamp(frame->x(), frame->width(), room.width()), clamp(frame->y(), frame->height(), room.height()));
}

void WindowHost::setArea(QMdiArea* area)
{
    m_area = area;
}

QWidget* WindowHost::open(int index)
{
    if (index < 0 || index >= kWindowKinds)
        return nullptr;
    return open(static_cast<WindowKind>(index));
}

QWidget* WindowHost::open(WindowKind kind)
{
    const auto i = static_cast<std::size_t>(kind);
    QWidget* window = m_windows[i];
    const bool created = !window;
    if (!window) {
        window = kFactories[i]();
        if (!window)
            return nullptr;
        window->setAttribute(Qt::WA_DeleteOnClose);
        bindCommandKeys(window);
        m_windows[i] = window;
        if (m_area) {
            QMdiSubWindow* sub = m_area->addSubWindow(window);
            sub->setAttribute(Qt::WA_DeleteOnClose);
            sub->setWindowTitle(window->windowTitle());
            // A window may grow itself in its resize handler; the frame follows.
            sub->resize(sub->sizeHint().expandedTo(window->size() + QSize(8, 30)));
        }
    }
    QWidget* frame = window;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        frame = sub;
    frame->show();
    window->show();
    if (created && frame != window)
        placeInside(frame);
    frame->raise();
    if (m_area) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(frame))
            m_area->setActiveSubWindow(sub);
    } else {
        window->activateWindow();
    }
    window->setFocus();
    return window;
}

QWidget* WindowHost::find(WindowKind kind) const
{
    return m_windows[static_cast<std::size_t>(kind)];
}

void WindowHost::closeAll()
{
    for (auto& w : m_windows) {
        if (w) {
            QWidget* window = w;
            closeWindow(window);
            delete window;
        }
        w = nullptr;
    }
}

bool closeWindow(QWidget* window)
{
    if (!window)
        return true;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        return sub->close();
    return window->close();
}

QString windowObjectName(WindowKind kind)
{
    static const char* const names[]
        = { "frmPZ", "frmMXZ", "frmZZ", "frmXJLLB", "frmSYB", "frmZCFZB", "frmKM", "frmKMHZB" };
    return QString::fromLatin1(names[static_cast<int>(kind)]);
}

QString windowCaption(WindowKind kind)
{
    static const char16_t* const captions[]
        = { u"凭证管理器",          u"账薄管理器 - 明细分类账", u"账薄管理器 - 总分类账", u"报表管理器 - 现金流量表",
            u"报表管理器 - 损益表", u"报表管理器 - 资产负债表", u"会计科目管理器",        u"账薄管理器 - 科目汇总表" };
    return QString::fromUtf16(captions[static_cast<int>(kind)]);
}

} // namespace kessory
