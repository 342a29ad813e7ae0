#pragma once

#include "data/Connection.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

namespace kessory {

// The result of one query with a cursor that moves both ways, read by field name. Rows are read from the engine as
// the cursor reaches them; fetchAll() reads the rest at once (do that before holding a recordset across events, so
// that no read lock outlives the command). A recordset opened on one table can append a row and change a field of
// its current row; both are written at once with bound parameters.
class Recordset {
public:
    Recordset() = default;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Runs the query; false when it could not run (the recordset is then closed).
    bool open(Connection* connection, const QString& sql);
    // The same with values bound to the text's ? marks.
    bool open(Connection* connection, const SqlCommand& command);
    void close();
    bool isOpen() const { return m_open; }
    // Whether reading stopped at an error rather than at the end of the rows (a partial result).
    bool failed() const { return m_failed; }

    bool eof();
    bool bof() const;
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();
    void fetchAll();
    // The number of rows (reads them all).
    int recordCount();
    bool hasCurrent();

    // The value of a field of the current row; an invalid QVariant when there is no current row or no such field.
    QVariant field(const QString& name);
    // Null reads as empty text.
    QString text(const QString& name);
    // Null or text that is not a number reads as 0.
    double number(const QString& name);
    qint64 integer(const QString& name);
    bool boolean(const QString& name);

    // Appending a row (recordsets opened on one table only): addNew, setValue for each field, update.
    bool addNew();
    void setValue(const QString& name, const QVariant& value);
    // Writes the pending new row or the changed fields of the current row; false when it could not be written.
    bool update();

private:
    bool fetchOne();
    void readColumns();

    Connection* m_connection = nullptr;
    Statement m_statement;
    bool m_open = false;
    bool m_done = true;
    bool m_failed = false;
    QString m_table;
    QStringList m_columns;
    QHash<QString, int> m_index;
    QHash<QString, int> m_folded;
    std::vector<std::vector<QVariant>> m_rows;
    qsizetype m_pos = -1;
    bool m_adding = false;
    std::vector<std::pair<QString, QVariant>> m_pending;
};

using RecordsetPtr = std::shared_ptr<Recordset>;

} // namespace kessory
