#pragma once

#include "data/BookLocation.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace kessory {

// 账簿位置: which book the program opens at its next start, a book file or a book on a PostgreSQL server. 确定
// writes DATA/kessory.conf (never a password); the book now open stays open until the program is started again.
class BookLocationDialog final : public QDialog {
    Q_OBJECT
public:
    explicit BookLocationDialog(const QString& programFolder, QWidget* parent = nullptr);

    // The book the fields name now.
    BookLocation location() const;

private:
    void showChoice();
    void browse();
    void testConnection();
    void save();
    // Why the fields name no complete book; empty when they do.
    QString incomplete() const;

    QString m_programFolder;
    QRadioButton* m_file = nullptr;
    QRadioButton* m_server = nullptr;
    QWidget* m_fileFields = nullptr;
    QWidget* m_serverFields = nullptr;
    QLineEdit* m_path = nullptr;
    QLineEdit* m_host = nullptr;
    QSpinBox* m_port = nullptr;
    QLineEdit* m_database = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_schema = nullptr;
};

} // namespace kessory
