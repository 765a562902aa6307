#include "data/planning_routines.h"

#include "support/library_fixture.h"

#include <gtest/gtest.h>

using data::DemandeRemplacement;

namespace {

class RemplRecursifTest : public ::testing::Test {
protected:
    LibraryDatabase lib;
    const std::string slot = std::string("50001001") + "00100" + Day("01/01/2026") + "M01" + "0" + "0850";

    void SetUp() override {
        data::RegisterPlanningRoutines(lib.db);
        lib.Put("TPSDETAILSINTERV", slot, {{1, Day("31/12/2026")}, {2, "1050"}, {3, "00101"}});
        lib.Put("TPSSANSCONTRAT", slot, {{1, "50001001"}, {2, Day("01/07/2026")}, {3, ""}});
    }
    dba::ResultList Call(const DemandeRemplacement& d) {
        return lib.db.CallRoutine(data::RoutineRemplRecursif, d.Texte());
    }
    std::vector<std::string> Planning() {
        std::vector<std::string> rows;
        const dba::ResultList r = lib.db.SelectRecords("SELECT TPSDETAILSINTERV", "0 1 2 3");
        for (int i = 1; i <= r.DCount(); ++i)
            rows.push_back(r.Item(i, 1) + "|" + r.Item(i, 2) + "|" + r.Item(i, 3) + "|" + r.Item(i, 4));
        return rows;
    }
    std::string Moved(const char* start, const char* seq = "01", const char* time = "0850") {
        return std::string("50001001") + "00100" + Day(start) + "M" + seq + "0" + time;
    }
};

TEST_F(RemplRecursifTest, RebuildsTheSlotFromTheRequest) {
    const dba::ResultList answer = Call({slot, Day("01/03/2026"), Day("30/06/2026"), "AFAIRE", "0850"});
    EXPECT_EQ(answer.Item(1, 1), Moved("01/03/2026"));
    EXPECT_EQ(answer.Item(1, 2), "FAIT");
    EXPECT_EQ(Planning(),
              std::vector<std::string>{Moved("01/03/2026") + "|" + Day("30/06/2026") + "|1050|00101"});
    EXPECT_FALSE(lib.db.OpenTable("TPSSANSCONTRAT").Exists(slot))
        << "the kept periods went with the old slot";

    // Another time of day, open-ended.
    Call({Moved("01/03/2026"), Day("01/03/2026"), "", "AFAIRE", "0900"});
    EXPECT_EQ(Planning(), std::vector<std::string>{Moved("01/03/2026", "01", "0900") + "||1050|00101"});
}

TEST_F(RemplRecursifTest, AnEmptyPeriodRemovesTheSlot) {
    const dba::ResultList answer = Call({slot, Day("01/01/2026"), Day("31/12/2025"), "AFAIRE", "0850"});
    EXPECT_EQ(answer.Item(1, 1), "");
    EXPECT_EQ(answer.Item(1, 2), "FAIT");
    EXPECT_TRUE(Planning().empty());
    EXPECT_FALSE(lib.db.OpenTable("TPSSANSCONTRAT").Exists(slot));
}

TEST_F(RemplRecursifTest, AnotherSlotAlreadyThereKeepsItsKey) {
    lib.Put("TPSDETAILSINTERV", Moved("01/03/2026"), {{2, "1200"}, {3, "00101"}});
    const dba::ResultList answer = Call({slot, Day("01/03/2026"), "", "AFAIRE", ""});
    EXPECT_EQ(answer.Item(1, 1), Moved("01/03/2026", "02"));
    EXPECT_EQ(Planning(), (std::vector<std::string>{Moved("01/03/2026") + "||1200|00101",
                                                    Moved("01/03/2026", "02") + "||1050|00101"}));
}

TEST_F(RemplRecursifTest, ADoneRequestOrAMissingSlotChangesNothing) {
    const std::vector<std::string> before = Planning();
    EXPECT_EQ(Call({slot, Day("01/03/2026"), "", "FAIT", ""}).Item(1, 2), "FAIT");
    EXPECT_EQ(Planning(), before);

    const std::string missing = Moved("02/02/2026");
    EXPECT_THROW(Call({missing, Day("01/03/2026"), "", "AFAIRE", ""}), dba::RecordNotFound);
    EXPECT_THROW(Call({slot, "", "", "AFAIRE", ""}), dba::InvalidValue);
    EXPECT_THROW(Call({slot, "lundi", "", "AFAIRE", ""}), dba::InvalidValue);
    EXPECT_EQ(Planning(), before);
    EXPECT_TRUE(lib.db.OpenTable("TPSSANSCONTRAT").Exists(slot));

    // Inside a transaction that fails later, the rebuild is undone with it.
    EXPECT_THROW(lib.db.Transaction([&] {
        Call({slot, Day("01/03/2026"), "", "AFAIRE", ""});
        throw dba::InvalidValue("later step");
    }),
                 dba::InvalidValue);
    EXPECT_EQ(Planning(), before);
}

} // namespace
