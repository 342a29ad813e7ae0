#include "statements/StatementReport.h"

#include "data/BookExtensions.h"
#include "data/Connection.h"
#include "data/Numbers.h"
#include "statements/BookFigures.h"
#include "statements/Formula.h"
#include "statements/StatementChecks.h"
#include "statements/StatementDefinition.h"
#include "statements/StatementHeading.h"

#include <algorithm>
#include <map>

namespace kessory {
namespace {

// The formulas of one statement, by 行次 and value column.
std::map<std::pair<int, QString>, QString> readFormulas(Connection* connection, const QString& table)
{
    std::map<std::pair<int, QString>, QString> formulas;
    if (!connection || !hasTable(*connection, "报表公式"))
        return formulas;
    Statement st = connection->prepare(QStringLiteral("Select 行次, 列名, 公式 From 报表公式 Where 报表 = ?"));
    if (!st.valid())
        return formulas;
    st.bind(1, table);
    while (st.step() == 1) {
        const QString text = st.column(2).toString().trimmed();
        if (!text.isEmpty())
            formulas[{ st.column(0).toInt(), st.column(1).toString().trimmed() }] = text;
    }
    return formulas;
}

// Evaluates the cells of one value column; a line's value is worked out once, when first needed.
class ColumnEvaluator {
public:
    ColumnEvaluator(std::vector<StatementLine>& lines, std::size_t column, const FormulaScope& base)
        : m_lines(lines)
        , m_column(column)
        , m_state(lines.size(), State::Pending)
    {
        m_scope = base;
        m_scope.lineValue = [this](int line) { return valueOfLine(line); };
    }

    void run()
    {
        for (std::size_t i = 0; i < m_lines.size(); ++i)
            evaluate(i);
    }

private:
    enum class State { Pending, Running, Done };

    FormulaValue valueOfLine(int line)
    {
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i].line != line)
                continue;
            if (m_state[i] == State::Running)
                return FormulaValue::failed(QStringLiteral("公式循环引用了行次%1").arg(line));
            evaluate(i);
            const StatementCell& c = m_lines[i].cells[m_column];
            if (c.state == StatementCell::State::Error)
                return FormulaValue::failed(QStringLiteral("行次%1的公式有错：%2").arg(line).arg(c.error));
            return FormulaValue::of(c.cents);
        }
        return FormulaValue::failed(QStringLiteral("报表中没有行次%1").arg(line));
    }

    void evaluate(std::size_t i)
    {
        if (m_state[i] != State::Pending)
            return;
        StatementCell& cell = m_lines[i].cells[m_column];
        if (cell.formula.isEmpty()) {
            m_state[i] = State::Done;
            return;
        }
        m_state[i] = State::Running;
        const ParsedFormula parsed = parseFormula(cell.formula);
        FormulaValue v = parsed.ok() ? FormulaValue() : FormulaValue::failed(parsed.error);
        std::vector<FormulaPart> parts;
        if (parsed.ok())
            v = evaluateFormula(*parsed.root, m_scope, &parts);
        cell.parts = std::move(parts);
        if (v.ok) {
            cell.state = StatementCell::State::Computed;
            cell.cents = v.cents;
            cell.text = moneyText(v.cents);
        } else {
            cell.state = StatementCell::State::Error;
            cell.error = v.error;
            cell.text = formulaErrorText();
        }
        m_state[i] = State::Done;
    }

    std::vector<StatementLine>& m_lines;
    std::size_t m_column;
    std::vector<State> m_state;
    FormulaScope m_scope;
};

// A stored template value as a cell: empty stays empty; a number is read in whole fen.
StatementCell storedCell(const QString& text, bool asMoney)
{
    StatementCell cell;
    cell.text = text;
    if (text.trimmed().isEmpty()) {
        cell.text.clear();
        return cell;
    }
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    cell.state = StatementCell::State::Stored;
    if (ok) {
        cell.cents = toCents(value);
        if (asMoney)
            cell.text = moneyText(cell.cents);
    }
    return cell;
}

} // namespace

StatementPeriod defaultStatementPeriod()
{
    return { 1, funDefaultEndMonth() };
}

QString formulaErrorText()
{
    return QStringLiteral("#公式错误");
}

QString moneyText(qint64 cents)
{
    const bool negative = cents < 0;
    const quint64 magnitude = negative ? 0 - static_cast<quint64>(cents) : static_cast<quint64>(cents);
    QString whole = QString::number(magnitude / 100);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, QLatin1Char(','));
    return (negative ? QStringLiteral("-") : QString()) + whole + QLatin1Char('.')
        + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

StatementReport funComputeStatement(Connection* connection, const StatementDefinition& statement,
                                    StatementPeriod period)
{
    StatementReport report;
    // One consistent view of the file for the template, the formulas and the books.
    ReadSnapshot snapshot(connection);
    std::vector<StatementRow> rows;
    report.read = funReadStatement(statement, rows);
    if (!report.read)
        return report;

    const auto formulas = readFormulas(connection, statement.table);
    report.computed = !formulas.empty();
    for (StatementRow& row : rows) {
        StatementLine line;
        bool ok = false;
        line.line = row.line.trimmed().toInt(&ok);
        if (!ok)
            line.line = 0;
        for (qsizetype v = 0; v < row.values.size(); ++v) {
            StatementCell cell = storedCell(row.values.at(v), report.computed);
            const auto f = formulas.find({ line.line, statement.valueFields.value(v) });
            if (line.line > 0 && f != formulas.end())
                cell.formula = f->second;
            line.cells.push_back(cell);
        }
        line.row = std::move(row);
        report.lines.push_back(std::move(line));
    }
    if (!report.computed)
        return report;

    period.start = std::clamp(period.start, 1, 12);
    period.end = std::clamp(period.end, period.start, 12);
    // Only cash flow functions need the lines voucher by voucher.
    bool withCash = false;
    for (const auto& f : formulas)
        withCash = withCash || f.second.contains(QStringLiteral("现金流"));
    const BookFigures figures = BookFigures::load(connection, period.start, period.end, withCash);
    for (qsizetype v = 0; v < statement.valueFields.size(); ++v) {
        FormulaScope scope;
        scope.figures = &figures;
        scope.endMonth = period.end;
        // The year-to-date column runs from January whatever the chosen start.
        scope.startMonth = statement.valueFields.at(v) == QStringLiteral("本年累计数") ? 1 : period.start;
        ColumnEvaluator(report.lines, static_cast<std::size_t>(v), scope).run();
    }
    report.checks = statementChecks(connection, statement, report, figures, period);
    return report;
}

} // namespace kessory
