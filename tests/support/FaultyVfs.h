#pragma once

namespace kessory::test {

// A SQLite file layer over the default one that can refuse what a failing disk or file system refuses. Installed as
// the default layer while it lives, so the program's own connection opened afterwards goes through it.
class FaultyVfs {
public:
    enum class Fault {
        None,
        WriteFails, // every write or sync of an open file fails: a full or failing disk
        ReadOnlyFile, // the database file can be opened for reading only
        ReadOnlyFolder, // no new file (the rollback journal) can be created beside the database
    };

    FaultyVfs();
    ~FaultyVfs();
    FaultyVfs(const FaultyVfs&) = delete;
    FaultyVfs& operator=(const FaultyVfs&) = delete;

    static void setFault(Fault fault);
    static Fault fault();
};

} // namespace kessory::test
