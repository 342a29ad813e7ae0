#pragma once

#include "statements/StatementReport.h"

#include <QDialog>

class QTableWidget;

namespace kessory {

// How a figure was taken from the books: its formula, the result or the error, and one row for each account
// (with its figure) and each other line the formula uses. A double-click on an account opens its detail ledger for
// the statement's months (a single month, otherwise the whole year).
class FormulaDetail final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormulaDetail)

public:
    FormulaDetail(const StatementLine& line, std::size_t column, const QString& columnName, StatementPeriod months,
                  const StatementReport& report, QWidget* parent);

private:
    void openLedger(int row);

    QTableWidget* m_parts = nullptr;
    StatementPeriod m_months;
};

} // namespace kessory
