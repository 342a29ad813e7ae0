#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace kessory {

struct StatementDefinition;

// One template line as the grid shows it: every value in its stored text form (empty when null), the caption after
// the statement's caption rule.
struct StatementRow {
    QString category;
    QString caption;
    QString line;
    QStringList values;
};

// Reads the statement's template table in ID order through a recordset of its own. False, with no rows, when the
// query failed or returned none: the window then keeps what it shows.
bool funReadStatement(const StatementDefinition& statement, std::vector<StatementRow>& rows);

} // namespace kessory
