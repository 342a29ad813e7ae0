#pragma once

#include "data/Backups.h"

#include <QDialog>

class QTableWidget;

namespace kessory {

// Lists the book's backups with their date and voucher count; 恢复 puts the chosen one in place of the book (the
// book as it is backed up first) and every function window is closed, to show the restored book when reopened.
class RestoreDialog final : public QDialog {
    Q_OBJECT
public:
    explicit RestoreDialog(QWidget* parent = nullptr);

    // Restores the backup of a row after asking; true when the book was replaced.
    bool restoreRow(int row);
    const QList<Backups::Info>& backups() const { return m_backups; }

private:
    QTableWidget* m_grid = nullptr;
    QList<Backups::Info> m_backups;
};

} // namespace kessory
