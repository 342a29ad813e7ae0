#include "tests/support/FaultyVfs.h"

#include <cstring>
#include <sqlite3.h>

namespace kessory::test {
namespace {

FaultyVfs::Fault g_fault = FaultyVfs::Fault::None;
sqlite3_vfs* g_base = nullptr;
sqlite3_vfs g_vfs;

// Each open file keeps the base layer's file right after our header.
struct FaultyFile {
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* realOf(sqlite3_file* f)
{
    return reinterpret_cast<FaultyFile*>(f)->real;
}

int xClose(sqlite3_file* f)
{
    sqlite3_file* real = realOf(f);
    const int rc = real->pMethods ? real->pMethods->xClose(real) : SQLITE_OK;
    sqlite3_free(real);
    return rc;
}
int xRead(sqlite3_file* f, void* p, int n, sqlite3_int64 o)
{
    return realOf(f)->pMethods->xRead(realOf(f), p, n, o);
}
int xWrite(sqlite3_file* f, const void* p, int n, sqlite3_int64 o)
{
    if (g_fault == FaultyVfs::Fault::WriteFails)
        return SQLITE_FULL;
    return realOf(f)->pMethods->xWrite(realOf(f), p, n, o);
}
int xTruncate(sqlite3_file* f, sqlite3_int64 size)
{
    if (g_fault == FaultyVfs::Fault::WriteFails)
        return SQLITE_IOERR_TRUNCATE;
    return realOf(f)->pMethods->xTruncate(realOf(f), size);
}
int xSync(sqlite3_file* f, int flags)
{
    if (g_fault == FaultyVfs::Fault::WriteFails)
        return SQLITE_IOERR_FSYNC;
    return realOf(f)->pMethods->xSync(realOf(f), flags);
}
int xFileSize(sqlite3_file* f, sqlite3_int64* size)
{
    return realOf(f)->pMethods->xFileSize(realOf(f), size);
}
int xLock(sqlite3_file* f, int l)
{
    return realOf(f)->pMethods->xLock(realOf(f), l);
}
int xUnlock(sqlite3_file* f, int l)
{
    return realOf(f)->pMethods->xUnlock(realOf(f), l);
}
int xCheckReservedLock(sqlite3_file* f, int* out)
{
    return realOf(f)->pMethods->xCheckReservedLock(realOf(f), out);
}
int xFileControl(sqlite3_file* f, int op, void* arg)
{
    return realOf(f)->pMethods->xFileControl(realOf(f), op, arg);
}
int xSectorSize(sqlite3_file* f)
{
    return realOf(f)->pMethods->xSectorSize(realOf(f));
}
int xDeviceCharacteristics(sqlite3_file* f)
{
    return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f));
}

const sqlite3_io_methods g_methods = { 1,
                                       xClose,
                                       xRead,
                                       xWrite,
                                       xTruncate,
                                       xSync,
                                       xFileSize,
                                       xLock,
                                       xUnlock,
                                       xCheckReservedLock,
                                       xFileControl,
                                       xSectorSize,
                                       xDeviceCharacteristics,
                                       nullptr,
                                       nullptr,
                                       nullptr,
                                       nullptr,
                                       nullptr,
                                       nullptr };

int xOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags)
{
    auto* file = reinterpret_cast<FaultyFile*>(f);
    file->base.pMethods = nullptr;
    if (g_fault == FaultyVfs::Fault::ReadOnlyFolder && !(flags & SQLITE_OPEN_MAIN_DB))
        return SQLITE_CANTOPEN;
    if (g_fault == FaultyVfs::Fault::ReadOnlyFile && (flags & SQLITE_OPEN_MAIN_DB) && (flags & SQLITE_OPEN_READWRITE)) {
        // What the system layer does for a file without write permission: it opens it for reading only.
        flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
    }
    file->real = static_cast<sqlite3_file*>(sqlite3_malloc(g_base->szOsFile));
    if (!file->real)
        return SQLITE_NOMEM;
    std::memset(file->real, 0, static_cast<size_t>(g_base->szOsFile));
    const int rc = g_base->xOpen(g_base, name, file->real, flags, outFlags);
    if (rc != SQLITE_OK) {
        sqlite3_free(file->real);
        return rc;
    }
    file->base.pMethods = &g_methods;
    return SQLITE_OK;
}

int xDelete(sqlite3_vfs*, const char* name, int syncDir)
{
    return g_base->xDelete(g_base, name, syncDir);
}
int xAccess(sqlite3_vfs*, const char* name, int flags, int* out)
{
    if (g_fault == FaultyVfs::Fault::ReadOnlyFile && flags == SQLITE_ACCESS_READWRITE) {
        *out = 0;
        return SQLITE_OK;
    }
    return g_base->xAccess(g_base, name, flags, out);
}
int xFullPathname(sqlite3_vfs*, const char* name, int n, char* out)
{
    return g_base->xFullPathname(g_base, name, n, out);
}
int xRandomness(sqlite3_vfs*, int n, char* out)
{
    return g_base->xRandomness(g_base, n, out);
}
int xSleep(sqlite3_vfs*, int us)
{
    return g_base->xSleep(g_base, us);
}
int xCurrentTime(sqlite3_vfs*, double* t)
{
    return g_base->xCurrentTime(g_base, t);
}
int xGetLastError(sqlite3_vfs*, int n, char* out)
{
    return g_base->xGetLastError ? g_base->xGetLastError(g_base, n, out) : 0;
}
int xCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* t)
{
    return g_base->xCurrentTimeInt64(g_base, t);
}

} // namespace

FaultyVfs::FaultyVfs()
{
    g_base = sqlite3_vfs_find(nullptr);
    std::memset(&g_vfs, 0, sizeof g_vfs);
    g_vfs.iVersion = 2;
    g_vfs.szOsFile = sizeof(FaultyFile);
    g_vfs.mxPathname = g_base->mxPathname;
    g_vfs.zName = "kessory-faulty";
    g_vfs.xOpen = xOpen;
    g_vfs.xDelete = xDelete;
    g_vfs.xAccess = xAccess;
    g_vfs.xFullPathname = xFullPathname;
    g_vfs.xRandomness = xRandomness;
    g_vfs.xSleep = xSleep;
    g_vfs.xCurrentTime = xCurrentTime;
    g_vfs.xGetLastError = xGetLastError;
    g_vfs.xCurrentTimeInt64 = xCurrentTimeInt64;
    g_fault = Fault::None;
    sqlite3_vfs_register(&g_vfs, 1);
}

FaultyVfs::~FaultyVfs()
{
    g_fault = Fault::None;
    sqlite3_vfs_unregister(&g_vfs);
}

void FaultyVfs::setFault(Fault fault)
{
    g_fault = fault;
}

FaultyVfs::Fault FaultyVfs::fault()
{
    return g_fault;
}

} // namespace kessory::test
