#include "shell/Msg.h"

#include <deque>

namespace kessory::Msg {
namespace {

struct State {
    Presenter presenter;
    bool testMode = false;
    std::deque<Answer> answers;
    PasswordPresenter passwordPresenter;
    std::deque<std::optional<QString>> passwords;
    QList<Shown> shown;
};

State& state()
{
    static State s;
    return s;
}

} // namespace

Answer show(const QString& text, const QString& title, Buttons buttons)
{
    State& s = state();
    if (s.testMode)
        s.shown.append({ text, title, buttons });
    if (s.testMode || !s.presenter) {
        if (!s.answers.empty()) {
            const Answer a = s.answers.front();
            s.answers.pop_front();
            return a;
        }
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    return s.presenter(text, title, buttons);
}

std::optional<QString> askPassword(const QString& text, const QString& title)
{
    State& s = state();
    if (s.testMode)
        s.shown.append({ text, title, Buttons::Ok });
    if (s.testMode || !s.passwordPresenter) {
        if (s.passwords.empty())
            return std::nullopt;
        const std::optional<QString> p = s.passwords.front();
        s.passwords.pop_front();
        return p;
    }
    return s.passwordPresenter(text, title);
}

void setPasswordPresenter(PasswordPresenter presenter)
{
    state().passwordPresenter = std::move(presenter);
}

void queuePassword(const std::optional<QString>& password)
{
    state().passwords.push_back(password);
}

QString programTitle()
{
    return QStringLiteral("Kessory 财务记账");
}

void setPresenter(Presenter presenter)
{
    state().presenter = std::move(presenter);
}

void setTestMode(bool on)
{
    state().testMode = on;
    state().answers.clear();
    state().passwords.clear();
    state().shown.clear();
}

void queueAnswer(Answer answer)
{
    state().answers.push_back(answer);
}

QList<Shown> shown()
{
    return state().shown;
}

void clearShown()
{
    state().shown.clear();
}

} // namespace kessory::Msg
