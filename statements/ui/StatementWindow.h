#pragma once

#include "statements/StatementDefinition.h"

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kessory {

// The frame the three statement windows share: a tool bar (刷新, 关闭), and a sheet frame holding the statutory
// heading of the statement and the grid mfgTable with one row per template line. What differs between the
// statements comes in the definition.
class StatementWindow : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatementWindow)

public:
    explicit StatementWindow(const StatementDefinition& statement, QWidget* parent = nullptr);

    // Fills the grid again from the template table; a table without rows leaves the grid's rows as they were.
    void funFillStatement();

    // The smallest client size the window keeps, in pixels.
    QSize minimumClientSize() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildToolBar();
    void buildSheetFrame();
    void buildHeadings(QWidget* sheet);
    // The preparing organisation and the accounting year, read from the database.
    void showHeading();
    void layOut();
    void mergeCategories();
    void setCell(int row, int column, const QString& text);

    const StatementDefinition& m_statement;
    QWidget* m_toolBar = nullptr;
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
};

} // namespace kessory
