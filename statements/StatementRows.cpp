#include "statements/StatementRows.h"

#include "data/basDBOperate.h"
#include "statements/StatementDefinition.h"

namespace kessory {

bool funReadStatement(const StatementDefinition& statement, std::vector<StatementRow>& rows)
{
    rows.clear();
    RecordsetPtr rs = basDBOperate::funNewRecordset();
    if (!basDBOperate::funOpenRecordset(statement.query, rs))
        return false;
    while (!rs->eof()) {
        StatementRow row;
        row.category = rs->text(QStringLiteral("类别"));
        row.caption = shownCaption(statement.rule, rs->text(QStringLiteral("项目")));
        row.line = rs->text(QStringLiteral("行次"));
        for (const QString& field : statement.valueFields)
            row.values << rs->text(field);
        rows.push_back(row);
        rs->moveNext();
    }
    rs->close();
    return !rows.empty();
}

} // namespace kessory
