#include "shell/ui/CommandKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace kessory {

namespace {

// Enter on a focused push button clicks it. Qt does so only for buttons of dialogs.
class EnterClicksButton final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const auto mods = key->modifiers() & ~Qt::KeypadModifier;
        if (!enter || mods != Qt::NoModifier || key->isAutoRepeat() || !button->isEnabled())
            return false;
        button->click();
        return true;
    }
};

// Escape that no control of the window took for itself (a name box empties itself on it, a list closes) reaches
// the window and clicks its close button.
class EscapeClicks final : public QObject {
public:
    EscapeClicks(QAbstractButton* button, QObject* parent)
        : QObject(parent)
        , m_button(button)
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier || !m_button->isEnabled())
            return false;
        m_button->click();
        return true;
    }

private:
    QAbstractButton* m_button;
};

void installEnterClicks()
{
    static EnterClicksButton* filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new EnterClicksButton(qApp);
    qApp->installEventFilter(filter);
}

struct NamedKey {
    const char* name;
    QKeySequence key;
};

} // namespace

QString keyTip(const QString& tip, const QKeySequence& key)
{
    return tip + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')');
}

void bindKey(QAbstractButton* button, const QKeySequence& key)
{
    if (!button)
        return;
    const QString tip = button->toolTip().isEmpty() ? button->text().remove(QLatin1Char(' ')) : button->toolTip();
    button->setToolTip(keyTip(tip, key));
    if (key == QKeySequence(Qt::Key_Escape)) {
        button->window()->installEventFilter(new EscapeClicks(button, button));
        return;
    }
    auto* shortcut = new QShortcut(key, button->window());
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isEnabled() && button->isVisibleTo(button->window()))
            button->click();
    });
}

void bindCommandKeys(QWidget* window)
{
    installEnterClicks();
    if (!window)
        return;
    const NamedKey keys[] = {
        { "cmd_Save", QKeySequence(Qt::CTRL | Qt::Key_S) },
        { "cmd_CreateNew", QKeySequence(Qt::CTRL | Qt::Key_N) },
        { "cmd_Prev", QKeySequence(Qt::Key_PageUp) },
        { "cmd_Next", QKeySequence(Qt::Key_PageDown) },
        { "cmd_First", QKeySequence(Qt::CTRL | Qt::Key_Home) },
        { "cmd_Last", QKeySequence(Qt::CTRL | Qt::Key_End) },
        { "cmd_Refresh", QKeySequence(Qt::Key_F5) },
        { "cmb_Refresh", QKeySequence(Qt::Key_F5) },
        { "cmd_Quit", QKeySequence(Qt::Key_Escape) },
    };
    for (const NamedKey& k : keys)
        bindKey(window->findChild<QAbstractButton*>(QString::fromLatin1(k.name)), k.key);

    if (auto* search = window->findChild<QLineEdit*>(QStringLiteral("txt_Search"))) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), window);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(shortcut, &QShortcut::activated, search, [search] {
            search->setFocus(Qt::ShortcutFocusReason);
            search->selectAll();
        });
        search->setToolTip(keyTip(QStringLiteral("凭证号码"), shortcut->key()));
    }
}

} // namespace kessory
