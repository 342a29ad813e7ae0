#pragma once

#include "data/ChangeLog.h"

#include <QDialog>

namespace kessory {

// Shows what 校验账簿 found: every break of the change log and every voucher or account changed outside the program,
// or that the book is whole.
class VerifyDialog final : public QDialog {
    Q_OBJECT
public:
    VerifyDialog(const QList<ChangeLog::Break>& breaks, QWidget* parent = nullptr);
};

} // namespace kessory
