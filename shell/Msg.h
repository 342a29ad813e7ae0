#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace kessory::Msg {

// YesNoDefaultNo: Yes and No with No as the default button (a question whose Yes is the risky answer).
// YesNoCancel: 是 / 否 / 取消, Cancel on Escape.
enum class Buttons { Ok, YesNo, YesNoDefaultNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

struct Shown {
    QString text;
    QString title;
    Buttons buttons;
};

// Every message box of the program: modal, no icon, the given title, OK, Yes/No or Yes/No/Cancel.
Answer show(const QString& text, const QString& title, Buttons buttons = Buttons::Ok);
inline bool ask(const QString& text, const QString& title)
{
    return show(text, title, Buttons::YesNo) == Answer::Yes;
}

// Asks for a password (typed unseen); nullopt on 取消. In test mode it is recorded like a box and answered from the
// password queue (取消 when the queue is empty).
std::optional<QString> askPassword(const QString& text, const QString& title);
using PasswordPresenter = std::function<std::optional<QString>(const QString& text, const QString& title)>;
void setPasswordPresenter(PasswordPresenter presenter);
void queuePassword(const std::optional<QString>& password);

// The program's own title, used where a message carries it.
QString programTitle();

// What actually shows a box; the GUI installs one at start-up. Without one (or in test mode) nothing is shown.
using Presenter = std::function<Answer(const QString& text, const QString& title, Buttons buttons)>;
void setPresenter(Presenter presenter);

// Test mode: no box is shown; every box is recorded and answered from the queue (OK, or No for a question when the
// queue is empty).
void setTestMode(bool on);
void queueAnswer(Answer answer);
QList<Shown> shown();
void clearShown();

} // namespace kessory::Msg
