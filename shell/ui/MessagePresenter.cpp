#include "shell/ui/MessagePresenter.h"

#include "shell/Msg.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kessory {

void installMessagePresenter()
{
    Msg::setPresenter([](const QString& text, const QString& title, Msg::Buttons buttons) {
        QMessageBox box(QMessageBox::NoIcon, title, text,
                        buttons == Msg::Buttons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok,
                        QApplication::activeWindow());
        box.setWindowModality(Qt::ApplicationModal);
        if (buttons == Msg::Buttons::YesNo) {
            box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
            box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
            box.setDefaultButton(QMessageBox::Yes);
        } else {
            box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
        }
        const int r = box.exec();
        if (buttons == Msg::Buttons::Ok)
            return Msg::Answer::Ok;
        return r == QMessageBox::Yes ? Msg::Answer::Yes : Msg::Answer::No;
    });
}

} // namespace kessory
