#pragma once

#include "statements/FormulaEval.h"
#include "statements/StatementRows.h"

#include <QString>
#include <vector>

namespace kessory {

class Connection;
struct StatementDefinition;

// The months a statement covers, 1-12 of the book's year: flows over start..end, balances at the end of end.
struct StatementPeriod {
    int start = 1;
    int end = 12;
};

// January to the month a statement's period ends on at first (see funDefaultEndMonth).
StatementPeriod defaultStatementPeriod();

// One value cell of a statement.
struct StatementCell {
    enum class State {
        Empty, // neither formula nor stored value
        Stored, // the template's stored value
        Computed, // the formula's result
        Error, // the formula could not be read or computed: see error
    };
    State state = State::Empty;
    qint64 cents = 0;
    QString text; // what the grid shows
    QString formula;
    QString error;
    std::vector<FormulaPart> parts;
};

struct StatementLine {
    StatementRow row;
    int line = 0; // 行次, 0 when the row has none
    std::vector<StatementCell> cells; // one per value column
};

// A check at the foot of a statement, in Chinese: green when it holds, red with the difference when not.
struct StatementCheck {
    QString text;
    bool holds = false;
};

struct StatementReport {
    bool read = false; // the template table gave rows
    // The book holds formulas for this statement: figures are computed and shown as money, checks are made. A
    // book without them shows the stored figures exactly as stored.
    bool computed = false;
    std::vector<StatementLine> lines;
    std::vector<StatementCheck> checks;
};

// The text a formula cell shows when its formula is wrong.
QString formulaErrorText();

// Whole fen as money: two decimals, thousands separators, a minus sign when negative ("-1,234,567.89").
QString moneyText(qint64 cents);

// Reads the statement's template and, when the book has formulas for it (table 报表公式), computes every line
// that has one from the books for the period (one grouped pass over the vouchers), then makes the statement's
// checks. Never fails on a bad formula: its cell carries the error.
StatementReport funComputeStatement(Connection* connection, const StatementDefinition& statement,
                                    StatementPeriod period);

} // namespace kessory
