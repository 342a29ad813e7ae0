#include "shell/ui/MessagePresenter.h"

#include "shell/Msg.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace kessory {

namespace {

QMessageBox::StandardButtons standardButtons(Msg::Buttons buttons)
{
    switch (buttons) {
    case Msg::Buttons::Ok:
        return QMessageBox::Ok;
    case Msg::Buttons::YesNo:
    case Msg::Buttons::YesNoDefaultNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Msg::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

} // namespace

void installMessagePresenter()
{
    Msg::setPresenter([](const QString& text, const QString& title, Msg::Buttons buttons) {
        QMessageBox box(QMessageBox::NoIcon, title, text, standardButtons(buttons), QApplication::activeWindow());
        box.setWindowModality(Qt::ApplicationModal);
        if (buttons == Msg::Buttons::Ok) {
            box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
            box.exec();
            return Msg::Answer::Ok;
        }
        box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
        box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
        box.setDefaultButton(buttons == Msg::Buttons::YesNoDefaultNo ? QMessageBox::No : QMessageBox::Yes);
        if (buttons == Msg::Buttons::YesNoCancel) {
            box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
            box.setEscapeButton(QMessageBox::Cancel);
        }
        const int r = box.exec();
        if (r == QMessageBox::Yes)
            return Msg::Answer::Yes;
        if (r == QMessageBox::Cancel)
            return Msg::Answer::Cancel;
        return Msg::Answer::No;
    });
    Msg::setPasswordPresenter([](const QString& text, const QString& title) -> std::optional<QString> {
        QInputDialog ask(QApplication::activeWindow());
        ask.setObjectName(QStringLiteral("dlgPassword"));
        ask.setWindowTitle(title);
        ask.setLabelText(text);
        ask.setTextEchoMode(QLineEdit::Password);
        ask.setOkButtonText(QStringLiteral("确定"));
        ask.setCancelButtonText(QStringLiteral("取消"));
        ask.setWindowModality(Qt::ApplicationModal);
        if (ask.exec() != QDialog::Accepted)
            return std::nullopt;
        return ask.textValue();
    });
}

} // namespace kessory
