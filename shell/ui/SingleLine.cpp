#include "shell/ui/SingleLine.h"

#include "data/TextRules.h"

#include <QLineEdit>
#include <QRegularExpression>

namespace kessory {

void keepOnOneLine(QLineEdit* box)
{
    // The box never cuts what is pasted: a text too long for the book is refused, with a message, when it is saved.
    box->setMaxLength(kBoxLength);
    QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString& text) {
        static const QRegularExpression breaks(QStringLiteral("\\r\\n|[\\r\\n\\x{2028}\\x{2029}\\x{0085}]"));
        if (!text.contains(breaks) && !text.contains(QChar(u'\0')))
            return;
        // The cursor stays after what was typed: count the characters the replacement removes before it.
        const auto clean = [](QString t) { return withoutNul(t.replace(breaks, QStringLiteral(" "))); };
        const int cursor = box->cursorPosition();
        const QString before = clean(text.left(cursor));
        box->setText(clean(text));
        box->setCursorPosition(static_cast<int>(before.size()));
    });
}

} // namespace kessory
