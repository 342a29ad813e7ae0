#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableWidget;

namespace kessory {

// Adds operators and changes their role, password and disabled flag. Open to a 主管 (or to anyone while the book has
// no operator: the first one must be a 主管).
class OperatorWindow final : public QDialog {
    Q_OBJECT
public:
    explicit OperatorWindow(QWidget* parent = nullptr);

private:
    void reload(const QString& select = QString());
    void showSelected();
    void addOperator();
    void changeOperator();
    bool passwordsAgree();

    QTableWidget* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_role = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_confirm = nullptr;
    QCheckBox* m_disabled = nullptr;
};

} // namespace kessory
