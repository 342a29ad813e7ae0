#pragma once

#include <QString>
#include <QStringList>

namespace kessory {

// `kessory export KIND [options] FILE`: writes a book, a statement, the chart of accounts or vouchers to FILE in
// the format of its extension, from DATA/DATA.DAT beside the program, without a window. argv[1] is "export".
// Returns the exit code: 0 written, 1 the book or the file failed, 2 bad options (each with a Chinese message on
// standard error).
int runExportCommand(int argc, char** argv);

// The same on arguments after "export" with the book already open; messages go to *message.
int exportWithArguments(const QStringList& arguments, QString* message);

} // namespace kessory
