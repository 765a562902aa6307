// A writer killed in the middle of its work loses nothing it reported
// written and leaves the file consistent.
#include "storage_fixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace dba;

namespace {

std::string ContentOf(int i) {
    return std::to_string(i % 7) + std::string(1, FM) + "valeur " + std::to_string(i) + std::string(1, VM) +
           std::to_string(i * 3) + std::string(1, FM) +
           std::string(static_cast<std::size_t>(100 + i % 900), 'x');
}

class StorageCrash : public ::testing::TestWithParam<dba::testing::Backend> {
protected:
    dba::testing::TestPlace place{GetParam()};
};

TEST_P(StorageCrash, KilledWriterLosesNothingReported) {
    {
        Database db = Database::Create(place.Location("crash"));
        db.CreateTable("CONTRAT");
        db.CreateIndex("CONTRAT", "1");
        db.CreateIndex("CONTRAT", "2");
    }
    int pipeFd[2];
    ASSERT_EQ(::pipe(pipeFd), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeFd[0]);
        try {
            Database db = Database::Open(place.Location("crash"));
            Table t = db.OpenTable("CONTRAT");
            for (int i = 0;; ++i) {
                std::vector<int> done;
                if (i % 3 == 0) {
                    // Two records in one transaction, reported once it commits.
                    db.Transaction([&] {
                        for (int k : {i, i + 100000}) {
                            Record r = t.NewRecord(std::to_string(k));
                            r.SetRecord(ContentOf(k));
                            r.DBWrite();
                        }
                    });
                    done = {i, i + 100000};
                } else {
                    Record r = t.NewRecord(std::to_string(i % 40)); // rewrites move index entries
                    r.SetRecord(ContentOf(i));
                    r.DBWriteU();
                    done = {i % 40};
                }
                for (int k : done) {
                    int written[2] = {k, i};
                    if (::write(pipeFd[1], written, sizeof written) != sizeof written)
                        ::_exit(2);
                }
            }
        } catch (...) {
            ::_exit(3);
        }
    }
    ::close(pipeFd[1]);
    std::map<int, int> reported; // key -> iteration whose content it holds
    int written[2];
    while (reported.size() < 40 && ::read(pipeFd[0], written, sizeof written) == sizeof written)
        reported[written[0]] = written[1];
    ::kill(child, SIGKILL);
    // Whatever the child reported before dying is in the pipe still.
    while (::read(pipeFd[0], written, sizeof written) == sizeof written)
        reported[written[0]] = written[1];
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << status;
    ::close(pipeFd[0]);

    Database db = Database::Open(place.Location("crash"));
    EXPECT_EQ(db.Check(), std::vector<std::string>{});
    Table t = db.OpenTable("CONTRAT");
    ASSERT_GE(reported.size(), 40u);
    for (const auto& [key, iteration] : reported) {
        Record r = t.ReadRecordOrEmpty(std::to_string(key));
        // A rewrite after the last report may have committed; never an older one.
        int holds = std::stoi(r.Item(2, 2).empty() ? "-1" : r.Item(2, 2)) / 3;
        EXPECT_GE(holds, iteration) << key;
        EXPECT_EQ(r.Item(), ContentOf(holds)) << key;
    }
    // The dead writer's lock does not stop anybody.
    EXPECT_NO_THROW(t.ReadRecordLocked(std::to_string(reported.begin()->first)));
}

DBA_ON_BOTH_BACKENDS(StorageCrash);

} // namespace
