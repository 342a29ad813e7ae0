#pragma once

#include <QDialog>

class QLineEdit;

namespace kessory {

// Asks for an operator's name and password. Accepted when they match an active operator (who is then at work);
// rejected on 取消 or after the third wrong try.
class LoginDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTries = 3;
    explicit LoginDialog(QWidget* parent = nullptr);

private:
    void tryLogin();

    QLineEdit* m_name = nullptr;
    QLineEdit* m_password = nullptr;
    int m_wrong = 0;
};

} // namespace kessory
