// Makes a database file from the schema text and sample rows:
//   mkdatadat [--if-missing] schema.sql [rows.sql ...] target
// With --if-missing an existing target is left exactly as it is. The file is written beside the target under a
// temporary name and moved into place only when complete.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <sqlite3.h>

int main(int argc, char** argv)
{
    bool ifMissing = false;
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QLatin1String("--if-missing"))
            ifMissing = true;
        else
            args << a;
    }
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: mkdatadat [--if-missing] schema.sql [rows.sql ...] target\n");
        return 2;
    }
    const QString target = args.takeLast();
    if (QFileInfo::exists(target)) {
        if (ifMissing)
            return 0;
        std::fprintf(stderr, "mkdatadat: %s exists; not overwritten\n", qPrintable(target));
        return 1;
    }
    QDir().mkpath(QFileInfo(target).absolutePath());
    const QString temp = target + QStringLiteral(".new");
    QFile::remove(temp);
    sqlite3* db = nullptr;
    if (sqlite3_open(temp.toUtf8().constData(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "mkdatadat: cannot create %s\n", qPrintable(temp));
        return 1;
    }
    bool ok = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    for (const QString& path : args) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "mkdatadat: cannot read %s\n", qPrintable(path));
            ok = false;
            break;
        }
        char* error = nullptr;
        if (sqlite3_exec(db, f.readAll().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::fprintf(stderr, "mkdatadat: %s: %s\n", qPrintable(path), error ? error : "error");
            sqlite3_free(error);
            ok = false;
            break;
        }
    }
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    if (!ok || !QFile::rename(temp, target)) {
        QFile::remove(temp);
        return 1;
    }
    return 0;
}
