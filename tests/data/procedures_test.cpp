#include "data/procedures.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "support/library_fixture.h"

#include <gtest/gtest.h>

TEST(OuvrirTables, OpensInOrderAndNamesTheFirstMissingTable) {
    TempDatabase t;
    data::GlobalState g;
    g.TheDatabase = t.db;
    // With no table at all, each attempt stops at the next table of the
    // order; creating it moves the failure one step on.
    for (std::string_view name : data::tables::OpenedAtInit) {
        try {
            data::Ouvrir_Tables(g);
            FAIL() << "opened without " << name;
        } catch (const dba::TableNotFound& e) {
            EXPECT_EQ(e.table(), name);
        }
        EXPECT_FALSE(g.Handles.Contrat.isOpen()) << "a failed opening leaves no handle open";
        t.db.CreateTable(std::string(name));
    }
    // Every table there, but no pay-period record.
    EXPECT_THROW(data::Ouvrir_Tables(g), dba::RecordNotFound);
    EXPECT_FALSE(g.Handles.AllOpen());

    t.Put(data::tables::PERIODESPAIE, "1", {{data::periodespaie::PeriodeCourante, "202503"}});
    data::Ouvrir_Tables(g);
    EXPECT_TRUE(g.Handles.AllOpen());
    for (std::string_view name : data::tables::OpenedAtInit)
        EXPECT_EQ(g.Handles.Find(name)->name(), name);
    EXPECT_EQ(g.PayPeriodRecord.Item(data::periodespaie::PeriodeCourante), "202503");
    EXPECT_EQ(g.Handles.Find("COMPTEUR"), nullptr);
}

TEST(OuvrirTables, RefusesWithoutDatabase) {
    data::GlobalState g;
    EXPECT_THROW(data::Ouvrir_Tables(g), dba::StorageError);
}

TEST(LibererTables, EmptiesSlotsAndHandlesAndReleasesTheContractLock) {
    TempDatabase t;
    for (std::string_view name : data::tables::OpenedAtInit)
        t.db.CreateTable(std::string(name));
    t.Put(data::tables::PERIODESPAIE, "1", {{1, "202503"}});
    t.Put(data::tables::CONTRAT, "00001001", {{1, "02"}});
    data::GlobalState g;
    g.TheDatabase = t.db;
    data::Ouvrir_Tables(g);
    g.LockedContractRecord = g.Handles.Contrat.ReadRecordLocked("00001001");
    g.ContractRecord = g.Handles.Contrat.ReadRecord("00001001");
    g.CurrentRecord(data::tables::RUBSAISIE) = g.Handles.RubSaisie.NewRecord("R1");
    EXPECT_EQ(&g.CurrentRecord(data::tables::CONTRAT), &g.ContractRecord);
    EXPECT_EQ(g.CurrentRecord(data::tables::RUBSAISIE).key(), "R1");

    data::Liberer_Tables(g);
    EXPECT_FALSE(g.Handles.Contrat.isOpen());
    EXPECT_FALSE(g.ContractRecord.hasTable());
    EXPECT_FALSE(g.LockedContractRecord.hasTable());
    EXPECT_FALSE(g.PayPeriodRecord.hasTable());
    EXPECT_TRUE(g.CurrentRecord(data::tables::RUBSAISIE).key().empty());
    EXPECT_TRUE(g.TheDatabase.isOpen()) << "the host's connection stays";

    // Another session may now lock the contract.
    dba::Database other = dba::Database::Open(t.db.path());
    other.SetUserName("autre");
    EXPECT_NO_THROW(other.OpenTable(data::tables::CONTRAT).ReadRecordLocked("00001001").Release());
}

TEST(LireParametres, LevelAndPlanningCheckFromTheSettingsRecord) {
    struct Case {
        const char* field45;
        const char* field18;
        const char* level;
        bool planning;
    } cases[] = {{"", "", "0", false}, {"3", "1", "3", true}, {"2", "O", "2", true}, {"10", "", "10", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        TempDatabase t;
        t.Put(data::tables::COMPTEUR, "999",
              {{data::compteur::NiveauGestionContrat, c.field45},
               {data::compteur::ControlePlanning, c.field18}});
        data::GlobalState g;
        g.TheDatabase = t.db;
        data::Lire_Parametres(g);
        EXPECT_EQ(g.ContractManagementLevel, QString::fromLatin1(c.level));
        EXPECT_EQ(g.PlanningCheck, c.planning);
    }
    TempDatabase empty;
    empty.db.CreateTable(data::tables::COMPTEUR);
    data::GlobalState g;
    g.TheDatabase = empty.db;
    EXPECT_THROW(data::Lire_Parametres(g), dba::RecordNotFound);
}

TEST(GlobalState, DecimalSeparatorAndItsCode) {
    data::GlobalState g;
    g.SetDecimalSeparator(QStringLiteral("."));
    EXPECT_EQ(g.DecimalSeparator, QStringLiteral("."));
    EXPECT_EQ(g.DecimalSeparatorCode, 46);
    g.SetDecimalSeparator(QStringLiteral(","));
    EXPECT_EQ(g.DecimalSeparatorCode, 44);
}
