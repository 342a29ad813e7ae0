#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace kessory {

// One node of a parsed report formula. Amounts are whole fen; a number written in the formula is read as yuan with
// at most two decimals.
struct FormulaNode {
    enum class Kind { Number, Line, Function, Negate, Add, Subtract, Multiply, Divide };

    Kind kind = Kind::Number;
    qint64 cents = 0; // Number
    int line = 0; // Line: the 行次 referred to
    QString function; // Function: its name as written (期末余额 …)
    QStringList accounts; // Function: the account codes, each with its sub-accounts
    QString side; // Function: 借 or 贷 where the function takes a side, otherwise empty
    int position = 0; // where the node starts in the text (0-based), for messages
    std::unique_ptr<FormulaNode> left; // Negate: the operand; binary operators: the left operand
    std::unique_ptr<FormulaNode> right;
};

// A formula as parsed: the tree, or the reason it could not be read (a Chinese sentence naming the place).
struct ParsedFormula {
    std::unique_ptr<FormulaNode> root;
    QString error;

    bool ok() const { return root != nullptr; }
};

// The functions of an account a formula may call.
const QStringList& formulaFunctions();

// Reads a formula: numbers, + − × ÷ (or + - * /) with the usual precedence, parentheses, unary minus, references
// to other lines ([5] or 行5) and functions of accounts (期末余额(101, 102) …). Never throws.
ParsedFormula parseFormula(const QString& text);

} // namespace kessory
