#pragma once

#include "data/ChangeLog.h"
#include "output/TableDocument.h"

namespace kessory {

// The listed rows of the change log as a table for paper, PDF, XLSX and CSV; the filter is named under the title.
TableDocument changeLogDocument(const QList<ChangeLog::Row>& rows, const QString& filterText);

} // namespace kessory
