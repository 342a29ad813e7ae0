#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

// 账套设置: the book's year, the enterprise name and the 本年利润 account chosen from the chart.
class dlgBookSettings final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(dlgBookSettings)
public:
    explicit dlgBookSettings(QWidget* parent = nullptr);
    ~dlgBookSettings() override;

    // Writes the settings shown; false (after its message) when refused. A success closes the dialog.
    bool save();

private:
    QSpinBox* m_year = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_profit = nullptr;
};
