#include "vouchers/AttachmentCount.h"

#include <limits>

namespace kessory {

std::optional<qint16> attachmentCount(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return qint16(0);
    qint32 value = 0;
    for (const QChar c : t) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > std::numeric_limits<qint16>::max())
            return std::nullopt;
    }
    return static_cast<qint16>(value);
}

QString attachmentCountRefusal()
{
    return QStringLiteral("附单据数须为 0 到 32767 之间的整数。");
}

} // namespace kessory
