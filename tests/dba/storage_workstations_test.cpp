// Several processes working as workstations on one database, saving
// contracts the way the editor does: open a contract, change it, then under
// its lock write it only over the version opened.
#include "storage_fixture.h"

#include "dba/errors.h"

#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace dba;
using dba::testing::Backend;
using dba::testing::Put;
using dba::testing::TestPlace;

namespace {

constexpr int Contracts = 3;
constexpr int Workstations = 4;
constexpr int Saves = 12; // per workstation

struct Saved {
    int workstation, round, contract;
};

enum Exit { Done = 0, BadHolder = 4, Failed = 5 };

// One workstation: every save lands on a contract that others save too.
int Workstation(const std::string& location, int w, int out) {
    try {
        Database db = Database::Open(location);
        db.SetUserName("poste" + std::to_string(w));
        Table t = db.OpenTable("CONTRAT");
        for (int round = 0; round < Saves;) {
            const int contract = (round + w) % Contracts;
            const std::string key = "C" + std::to_string(contract);
            Record edited = t.ReadRecord(key);
            const std::string opening = edited.Item();
            edited.SetItem(1, std::to_string(std::stoi(edited.Item(1)) + 1));
            edited.Insert(2, -1, std::to_string(w) + "-" + std::to_string(round));
            try {
                Record stored = t.ReadRecordLocked(key);
                if (stored.Item() != opening) {
                    stored.Release(); // changed since it was opened: open it again
                    continue;
                }
                edited.DBWriteU();
                edited.Release();
            } catch (const RecordLocked& e) {
                if (e.holder().rfind("poste", 0) != 0 || e.holder().find(" (pid ") == std::string::npos)
                    return BadHolder;
                continue;
            }
            Saved saved{w, round, contract};
            if (::write(out, &saved, sizeof saved) != sizeof saved)
                return Failed;
            ++round;
        }
        return Done;
    } catch (...) {
        return Failed;
    }
}

class StorageWorkstations : public ::testing::TestWithParam<Backend> {
protected:
    TestPlace place{GetParam()};
};

TEST_P(StorageWorkstations, NoSaveIsLostAndHeldContractsAreRefusedWithTheirHolder) {
    const std::string location = place.Location("postes");
    {
        Database db = Database::Create(location);
        db.CreateTable("CONTRAT");
        db.CreateIndex("CONTRAT", "2");
        for (int c = 0; c < Contracts; ++c)
            Put(db.OpenTable("CONTRAT"), "C" + std::to_string(c), "0");
    }
    int pipeFd[2];
    ASSERT_EQ(::pipe(pipeFd), 0);
    std::vector<pid_t> children;
    for (int w = 0; w < Workstations; ++w) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeFd[0]);
            ::_exit(Workstation(location, w, pipeFd[1]));
        }
        children.push_back(child);
    }
    ::close(pipeFd[1]);
    std::map<int, std::set<std::string>> savedOn; // contract -> tags reported saved
    Saved saved{};
    while (::read(pipeFd[0], &saved, sizeof saved) == sizeof saved)
        savedOn[saved.contract].insert(std::to_string(saved.workstation) + "-" + std::to_string(saved.round));
    ::close(pipeFd[0]);
    for (pid_t child : children) {
        int status = -1;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == Done) << "workstation status " << status;
    }

    // Every reported save is there, each over the one before it.
    Database db = Database::Open(location);
    Table t = db.OpenTable("CONTRAT");
    std::size_t total = 0;
    for (int c = 0; c < Contracts; ++c) {
        SCOPED_TRACE("C" + std::to_string(c));
        Record r = t.ReadRecord("C" + std::to_string(c));
        std::set<std::string> tags;
        for (int v = 1; v <= r.DCount(2); ++v)
            tags.insert(r.Item(2, v));
        EXPECT_EQ(tags, savedOn[c]);
        EXPECT_EQ(r.Item(1), std::to_string(r.DCount(2)));
        total += tags.size();
    }
    EXPECT_EQ(total, std::size_t{Workstations * Saves});
    EXPECT_EQ(db.Check(), std::vector<std::string>{});

    // A workstation holding a contract: the others are told who; once it is
    // killed, its contract is free at once.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        ::close(ready[0]);
        try {
            Database mine = Database::Open(location);
            mine.SetUserName("poste-tenu");
            mine.OpenTable("CONTRAT").ReadRecordLocked("C0");
            char c = 'L';
            if (::write(ready[1], &c, 1) == 1)
                ::pause();
        } catch (...) {
        }
        ::_exit(Failed);
    }
    ::close(ready[1]);
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ::close(ready[0]);
    try {
        t.ReadRecordLocked("C0");
        ADD_FAILURE() << "no conflict";
    } catch (const RecordLocked& e) {
        EXPECT_EQ(e.holder().rfind("poste-tenu@", 0), 0u) << e.holder();
        EXPECT_NE(e.holder().find("(pid " + std::to_string(holder) + ")"), std::string::npos) << e.holder();
    }
    ::kill(holder, SIGKILL);
    int status = -1;
    ASSERT_EQ(::waitpid(holder, &status, 0), holder);
    EXPECT_NO_THROW(t.ReadRecordLocked("C0"));
}

DBA_ON_BOTH_BACKENDS(StorageWorkstations);

} // namespace
