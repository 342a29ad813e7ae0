#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace kessory {

class BookFigures;
struct FormulaNode;

// The result of a formula, or of one line of a statement: whole fen, or the reason there is none.
struct FormulaValue {
    bool ok = false;
    qint64 cents = 0;
    QString error;

    static FormulaValue of(qint64 cents) { return { true, cents, QString() }; }
    static FormulaValue failed(const QString& error) { return { false, 0, error }; }
};

// One figure a formula took: a function of one account, or another line of the statement.
struct FormulaPart {
    QString function; // 期末余额 …; empty for a line
    QString account; // the account code as written; empty for a line
    QString accountName;
    int line = 0; // the line referred to
    qint64 cents = 0;
};

// What a formula is evaluated against: the book's figures for the chosen months, and the other lines' values.
struct FormulaScope {
    const BookFigures* figures = nullptr;
    int startMonth = 1;
    int endMonth = 12;
    std::function<FormulaValue(int line)> lineValue;
};

// Evaluates a parsed formula in whole fen: × and ÷ round half away from zero; a number in the formula counts as
// yuan. Balances are signed by each account's 余额方向 (a debit-side account's debit balance is positive, so is a
// credit-side account's credit balance). Each function of an account and each line referred to is added to parts
// when given. Fails with a Chinese reason on an unknown account, a division by zero, an overflow or a failed line.
FormulaValue evaluateFormula(const FormulaNode& root, const FormulaScope& scope, std::vector<FormulaPart>* parts);

} // namespace kessory
