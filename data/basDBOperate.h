#pragma once

#include "data/BookLocation.h"
#include "data/Connection.h"
#include "data/Recordset.h"

#include <QString>

// The data store shared by every window: the one connection to DATA/DATA.DAT and the two shared recordsets.
namespace basDBOperate {

using kessory::RecordsetPtr;

extern QString strDBPath;
// The program folder the book was located from (DATA/ and its kessory.conf lie under it).
extern QString strProgramFolder;
// The book the program folder names (DATA/DATA.DAT, or what DATA/kessory.conf says); its server password, once
// asked, is kept here in memory only.
extern kessory::BookLocation bookLocation;
extern QString strSQL;
extern std::unique_ptr<kessory::Connection> cnnDB;
extern RecordsetPtr rsShared;
extern RecordsetPtr rsShared2;

// Finds the book under the program folder: builds strDBPath and reads DATA/kessory.conf when there is one. True when
// it names a regular file or a server book. Nothing is shown: the main window says that the file is missing (or
// what is wrong with the settings file, funOpenFailureText()) and ends the program.
bool locateDBFile(const QString& programFolder);

// Closes what is open and opens the connection and the shared recordsets; rs comes back empty. False when the file
// cannot be opened as a database holding the books' tables (nothing is shown; the caller decides).
bool funOpenDB(RecordsetPtr& rs);
// Why the last funOpenDB failed, as the start-up message says it: the file is in use by another program, it lacks
// tables or columns (named), or it cannot be opened at all.
QString funOpenFailureText();
// Whether the last funOpenDB failed because the server book needs a password that was not given.
bool funOpenNeedsPassword();

// Runs a query into rs (rsShared when rs is empty, bound into rs). True only when it ran and returned a row, with
// the recordset on its first row.
bool funOpenRecordset(const QString& sql, RecordsetPtr& rs);
bool funOpenRecordset(const QString& sql);
// The same with values bound to the text's ? marks.
bool funOpenRecordset(const kessory::SqlCommand& command, RecordsetPtr& rs);

// Runs an INSERT, UPDATE or DELETE; the number of rows it affected, 0 when it failed. Closes rs (rsShared when rs
// is empty) first.
int funExecuteSQL(const QString& sql, RecordsetPtr& rs);
int funExecuteSQL(const QString& sql);
// The same with values bound to the text's ? marks; -1 when it failed, 0 when it matched no row.
int funExecute(const kessory::SqlCommand& command);

// Closes the recordsets and the connection.
void funCloseDB(RecordsetPtr& rs);

// A fresh recordset of the caller's own on the shared connection.
RecordsetPtr funNewRecordset();

} // namespace basDBOperate
