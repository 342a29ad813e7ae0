#pragma once

#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "vouchers/VoucherSql.h"

#include <QString>

// Shared by the helper programs the tests start as other copies of the program.
namespace kessory::test {

// Opens the book the program folder names (its file, or the server book its DATA/kessory.conf names), with message
// boxes recorded, never shown; false when it cannot.
inline bool openChildBook(const char* programFolder)
{
    Msg::setTestMode(true);
    if (!basDBOperate::locateDBFile(QString::fromLocal8Bit(programFolder)))
        return false;
    basDBOperate::RecordsetPtr rs;
    return basDBOperate::funOpenDB(rs);
}

inline bool accountExists(const QString& code)
{
    auto rs = basDBOperate::funNewRecordset();
    return basDBOperate::funOpenRecordset(VoucherSql::accountExists(code), rs);
}

} // namespace kessory::test
