#pragma once

#include <QString>

namespace kessory {

// A NUL character ends a text for many tools that read the file: every text the program stores is kept free of it,
// dropped the same way wherever it is typed, pasted or written.
inline QString withoutNul(QString text)
{
    text.remove(QChar(u'\0'));
    return text;
}

} // namespace kessory
