#pragma once

#include "ledgers/Direction.h"

#include <QColor>

namespace kessory {

// 贷 green (0,128,0), 借 dark red (192,0,0), 平 black.
inline QColor sideColor(Side side)
{
    switch (side) {
    case Side::Credit:
        return QColor(0, 128, 0);
    case Side::Debit:
        return QColor(192, 0, 0);
    case Side::Even:
        break;
    }
    return QColor(0, 0, 0);
}

} // namespace kessory
