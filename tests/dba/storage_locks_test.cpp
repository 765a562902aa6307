// Update locks between sessions of one process and between processes.
#include "storage_fixture.h"

#include "dba/errors.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace dba;
using dba::testing::Put;

namespace {

class StorageLocks : public ::testing::TestWithParam<dba::testing::Backend> {
protected:
    void SetUp() override {
        Database db = Database::Create(place.Location("locks"));
        db.CreateTable("CONTRAT");
        Put(db.OpenTable("CONTRAT"), "K1", "original");
        Put(db.OpenTable("CONTRAT"), "K2", "other");
    }
    dba::testing::TestPlace place{GetParam()};
};

TEST_P(StorageLocks, TwoSessionsOfOneProcessConflict) {
    Database marie = Database::Open(place.Location("locks"));
    marie.SetUserName("marie");
    Database paul = Database::Open(place.Location("locks"));
    paul.SetUserName("paul");
    Table mt = marie.OpenTable("CONTRAT"), pt = paul.OpenTable("CONTRAT");

    Record mine = mt.ReadRecordLocked("K1");
    EXPECT_NO_THROW(mt.ReadRecordLocked("K1")); // again by the holder
    try {
        pt.ReadRecordLocked("K1");
        FAIL() << "no conflict";
    } catch (const RecordLocked& e) {
        EXPECT_EQ(e.holder(), marie.HolderName());
        EXPECT_EQ(e.holder().rfind("marie@", 0), 0u) << e.holder();
        EXPECT_NE(e.holder().find("(pid " + std::to_string(::getpid()) + ")"), std::string::npos)
            << e.holder();
        EXPECT_EQ(e.number(), RecordLocked::Number);
        EXPECT_EQ(e.key(), "K1");
    }
    // Every kind of write by the other session is refused and writes nothing.
    Record theirs = pt.ReadRecord("K1");
    theirs.SetItem(1, "changed");
    EXPECT_THROW(theirs.DBWrite(), RecordLocked);
    EXPECT_THROW(theirs.DBWriteU(), RecordLocked);
    EXPECT_THROW(pt.DeleteRecord("K1"), RecordLocked);
    EXPECT_EQ(pt.ReadRecord("K1").Item(), "original");
    EXPECT_NO_THROW(pt.ReadRecordLocked("K2")); // other records are free

    // DBWriteU keeps the lock, DBWrite releases it.
    mine.SetItem(1, "by marie");
    mine.DBWriteU();
    EXPECT_THROW(pt.ReadRecordLocked("K1"), RecordLocked);
    mine.DBWrite();
    Record taken = pt.ReadRecordLocked("K1");
    EXPECT_EQ(taken.Item(), "by marie");
    EXPECT_THROW(mt.ReadRecordLocked("K1"), RecordLocked);
    taken.Release();
    EXPECT_NO_THROW(mt.ReadRecordLocked("K1"));
    mt.NewRecord("K1").Release();

    // A missing record: the lock is kept so that the caller may create it.
    EXPECT_THROW(mt.ReadRecordLocked("NEW"), RecordNotFound);
    EXPECT_THROW(pt.ReadRecordLocked("NEW"), RecordLocked);
    Record created = mt.NewRecord("NEW");
    created.SetItem(1, "created");
    created.DBWrite();
    EXPECT_EQ(pt.ReadRecordLocked("NEW").Item(1), "created");

    // A session that ends leaves no locks behind.
    mt.ReadRecordLocked("K1");
    EXPECT_THROW(pt.ReadRecordLocked("K1"), RecordLocked);
    mine = Record();
    EXPECT_THROW(pt.ReadRecordLocked("K1"), RecordLocked); // its records keep it alive
    created = Record();
    mt = Table();
    marie = Database();
    EXPECT_NO_THROW(pt.ReadRecordLocked("K1"));
}

TEST_P(StorageLocks, LockOfAnotherProcessNamesItsHolderAndIsReclaimedWhenItDies) {
    int ready[2], quit[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(quit), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        ::close(quit[1]);
        int status = 1;
        try {
            Database db = Database::Open(place.Location("locks"));
            db.SetUserName("marie");
            db.OpenTable("CONTRAT").ReadRecordLocked("K1");
            char c = 'L';
            if (::write(ready[1], &c, 1) == 1 && ::read(quit[0], &c, 1) >= 0)
                status = 0;
        } catch (...) {
        }
        ::_exit(status); // no destructor runs: the lock stays in the file
    }
    ::close(ready[1]);
    ::close(quit[0]);
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);

    Database db = Database::Open(place.Location("locks"));
    Table t = db.OpenTable("CONTRAT");
    try {
        t.ReadRecordLocked("K1");
        ADD_FAILURE() << "no conflict";
    } catch (const RecordLocked& e) {
        EXPECT_EQ(e.holder().rfind("marie@", 0), 0u) << e.holder();
        EXPECT_NE(e.holder().find("(pid " + std::to_string(child) + ")"), std::string::npos) << e.holder();
    }
    Record r = t.ReadRecord("K1");
    r.SetItem(1, "refused");
    EXPECT_THROW(r.DBWrite(), RecordLocked);

    // The child exits without releasing; its end of the pipe closes then.
    ::close(quit[1]);
    EXPECT_EQ(::read(ready[0], &c, 1), 0);
    // Not yet reaped: a zombie holds nothing.
    EXPECT_NO_THROW(t.ReadRecordLocked("K1"));
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    r.DBWrite();
    EXPECT_EQ(t.ReadRecord("K1").Item(1), "refused");
    ::close(ready[0]);
}

DBA_ON_BOTH_BACKENDS(StorageLocks);

} // namespace
