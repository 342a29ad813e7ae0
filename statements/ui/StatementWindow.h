#pragma once

#include "statements/StatementDefinition.h"
#include "statements/StatementReport.h"

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kessory {

// The frame the three statement windows share: a tool bar (the period, 刷新, 关闭), and a sheet frame holding the
// statutory heading of the statement, the grid mfgTable with one row per template line and the checks at its foot.
// A book with report formulas gets its figures computed for the period; a double-click on a computed figure shows
// its formula part by part. What differs between the statements comes in the definition.
class StatementWindow : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatementWindow)

public:
    explicit StatementWindow(const StatementDefinition& statement, QWidget* parent = nullptr);

    // Fills the grid again from the template table, computing the lines that have formulas for the chosen months;
    // a table without rows leaves the grid's rows as they were.
    void funFillStatement();

    // The months chosen in the tool bar (for the balance sheet January to the chosen month).
    StatementPeriod period() const;
    // What the grid shows now.
    const StatementReport& report() const { return m_report; }

    // The smallest client size the window keeps, in pixels.
    QSize minimumClientSize() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildToolBar();
    void buildPeriodLists();
    void onPeriodChosen(bool startChanged);
    void showChecks();
    void showFormula(int row, int column);
    void buildSheetFrame();
    void buildHeadings(QWidget* sheet);
    // The preparing organisation and the accounting year, read from the database.
    void showHeading();
    void layOut();
    void mergeCategories();
    void setCell(int row, int column, const QString& text, const QString& tip = QString(), bool wrong = false);

    const StatementDefinition& m_statement;
    QWidget* m_toolBar = nullptr;
    QComboBox* m_startMonth = nullptr;
    QComboBox* m_endMonth = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_quit = nullptr;
    QFrame* m_frame = nullptr;
    QWidget* m_sheet = nullptr;
    QLabel* m_unit = nullptr;
    QLabel* m_enterprise = nullptr;
    QLabel* m_yearCaption = nullptr;
    QLabel* m_year = nullptr;
    QLabel* m_yearUnit = nullptr;
    QTableWidget* m_grid = nullptr;
    QLabel* m_checks = nullptr;
    StatementReport m_report;
};

} // namespace kessory
