// The balance sheet computed from report formulas on the large books, beside its floor: one grouped query of every
// first-level account's balance, added up per line here. Every line of the template takes some of the 150
// first-level accounts, so the formulas name the whole chart.
#include "bench/Benchmark.h"
#include "bench/LargeBooks.h"
#include "data/Connection.h"
#include "data/basDBOperate.h"
#include "statements/StatementDefinition.h"
#include "statements/StatementReport.h"

#include <QMap>
#include <QStringList>
#include <cmath>

namespace kessory::bench {
namespace {

struct SheetCase {
    QMap<int, QStringList> accountsOfLine;
    QMap<QString, bool> creditSide;
    QMap<int, qint64> floorFigures;
    StatementReport report;

    // Writes a 期末数 formula for every line of the template: the first-level accounts dealt out over the lines.
    bool prepare()
    {
        if (!openLargeBooks())
            return false;
        Connection* c = basDBOperate::cnnDB.get();
        QList<int> lines;
        Statement rows = c->prepare(QStringLiteral("Select 行次 From 资产负债表 Where 行次 > 0 Order By ID"));
        while (rows.step() == 1)
            lines << rows.column(0).toInt();
        Statement chart = c->prepare(
            QStringLiteral("Select 科目编号, 余额方向 From 财务科目 Where Length(科目编号) = 3 Order By 科目编号"));
        int i = 0;
        accountsOfLine.clear();
        while (chart.step() == 1 && !lines.isEmpty()) {
            const QString code = chart.column(0).toString();
            creditSide[code] = chart.column(1).toInt() != 0;
            accountsOfLine[lines.at(i++ % lines.size())] << code;
        }
        Transaction tx(c);
        c->execute(QStringLiteral("Delete From 报表公式 Where 报表 = '资产负债表'"));
        for (auto it = accountsOfLine.cbegin(); it != accountsOfLine.cend(); ++it) {
            Statement insert = c->prepare(
                QStringLiteral("Insert Into 报表公式 (报表, 行次, 列名, 公式) Values ('资产负债表', ?, '期末数', ?)"));
            insert.bind(1, it.key());
            insert.bind(2, QStringLiteral("期末余额(%1)").arg(it.value().join(QStringLiteral(", "))));
            if (insert.step() != 0)
                return false;
        }
        return tx.commit() && !accountsOfLine.isEmpty();
    }

    bool product()
    {
        report = funComputeStatement(basDBOperate::cnnDB.get(), balanceSheet(), { 1, 12 });
        return report.computed;
    }

    bool floor()
    {
        Statement st = basDBOperate::cnnDB->prepare(QStringLiteral(
            "Select substr(l.科目编号, 1, 3), Sum(Case When l.方向 <> 0 Then Round(l.金额 * 100) Else -Round(l.金额 * "
            "100) "
            "End) From 记账凭证内容 As l Inner Join 记账凭证 As h On h.编号 = l.编号 Where Not h.已作废 Group By 1"));
        QMap<QString, qint64> balances;
        while (st.step() == 1)
            balances[st.column(0).toString()] = std::llround(st.column(1).toDouble());
        floorFigures.clear();
        for (auto it = accountsOfLine.cbegin(); it != accountsOfLine.cend(); ++it) {
            qint64 sum = 0;
            for (const QString& code : it.value())
                sum += creditSide.value(code) ? balances.value(code) : -balances.value(code);
            floorFigures[it.key()] = sum;
        }
        return !balances.isEmpty();
    }

    QString differs() const
    {
        int compared = 0;
        for (const StatementLine& line : report.lines) {
            if (!floorFigures.contains(line.line))
                continue;
            const StatementCell& cell = line.cells.at(1);
            if (cell.state != StatementCell::State::Computed || cell.cents != floorFigures.value(line.line))
                return QStringLiteral("line %1: %2 against the floor's %3")
                    .arg(line.line)
                    .arg(cell.text, moneyText(floorFigures.value(line.line)));
            ++compared;
        }
        return compared == floorFigures.size() ? QString() : QStringLiteral("lines missing from the statement");
    }
};

SheetCase sheetCase;

const bool registered
    = addBenchmark({ 60, "balance_sheet", "balance sheet from formulas, December", 9,
                     [] { return sheetCase.prepare(); }, [] { return loadTimed([] { return sheetCase.product(); }); },
                     [] { return loadTimed([] { return sheetCase.floor(); }); }, [] { return sheetCase.differs(); } });

} // namespace
} // namespace kessory::bench
