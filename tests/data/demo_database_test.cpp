// The demo database: consistent, deterministic, and holding every shape of
// data the screens need.
#include "control/contract_search.h"
#include "data/access_rights.h"
#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/demo_builder.h"
#include "data/demo_database.h"
#include "data/demo_planning.h"
#include "data/dictionaries.h"
#include "data/procedures.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "support/run_program.h"

#include <QDate>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

namespace c = data::contrat;
namespace t = data::tables;
using data::demo::AideHistorique;
using data::demo::AideNombreuxContrats;
using data::demo::AideSansContrat;

constexpr std::uint32_t Seed = 7;

struct DemoFile {
    QTemporaryDir dir;
    std::string path;
    dba::Database db;
    explicit DemoFile(std::uint32_t seed, int scale = 1) {
        EXPECT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("demo.arbel")).toStdString();
        db = dba::Database::Create(path);
        data::BuildDemoDatabase(db, scale, seed);
    }
};

// The demo most tests read: built once.
class DemoDatabase : public ::testing::Test {
protected:
    static void SetUpTestSuite() { demo_ = std::make_unique<DemoFile>(Seed); }
    static void TearDownTestSuite() { demo_.reset(); }
    static dba::Database& db() { return demo_->db; }

    static std::vector<std::string> Keys(const std::string& command) {
        const dba::ResultList list = db().SelectRecords(command, "0");
        std::vector<std::string> keys;
        for (int r = 1; r <= list.DCount(); ++r)
            keys.push_back(list.Item(r, 1));
        return keys;
    }
    static std::vector<dba::Record> All(const char* table) {
        std::vector<dba::Record> records;
        const dba::Table handle = db().OpenTable(table);
        for (const auto& key : Keys(std::string("SELECT ") + table))
            records.push_back(handle.ReadRecord(key));
        return records;
    }
    static bool Exists(const char* table, const std::string& key) {
        return !key.empty() && db().OpenTable(table).Exists(key);
    }

private:
    static std::unique_ptr<DemoFile> demo_;
};
std::unique_ptr<DemoFile> DemoDatabase::demo_;

// Every record of some tables as "key=text" lines, in key order.
std::vector<std::string> Export(const dba::Database& db) {
    std::vector<std::string> lines;
    for (const char* table : {t::CONTRAT, t::CIVILAIDE, t::CIVILAIDANT, t::TPSDETAILSINTERV, t::DETAILCALCUL,
                              t::ABSENCESAIDANT, t::RIBAIDANT}) {
        const dba::Table handle = db.OpenTable(table);
        const dba::ResultList keys = db.SelectRecords(std::string("SELECT ") + table, "0");
        for (int r = 1; r <= keys.DCount(); ++r)
            lines.push_back(std::string(table) + " " + keys.Item(r, 1) + "=" +
                            handle.ReadRecord(keys.Item(r, 1)).Item());
    }
    return lines;
}

// Values of a field, an empty field counting as one empty value (as the
// queries count it).
int Values(const dba::Record& r, int field) {
    return std::max(1, r.DCount(field));
}

bool ValidDay(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const QDate d = data::dates::FromDayNumber(std::stoll(text));
    return d.isValid() && d.year() >= 1990 && d.year() <= 2030;
}

std::set<std::string> ListCodes(const dba::Database& db, const char* list) {
    const dba::Record r = db.OpenTable(t::TABLES).ReadRecord(list);
    std::set<std::string> codes;
    for (int v = 1; v <= r.DCount(data::listes::Codes); ++v)
        codes.insert(r.Item(data::listes::Codes, v));
    return codes;
}

} // namespace

TEST_F(DemoDatabase, PassesTheEngineCheckAndAgreesWithAFullScan) {
    EXPECT_EQ(db().Check(), std::vector<std::string>{});
    // The indexes the browser relies on answer like a scan.
    const std::string browser = std::string("SSELECT CONTRAT AVEC 1 = \"02\" AND AVEC 3 = \"") +
                                AideNombreuxContrats + "\" AND AVEC 65 <> \"O\" PAR 7";
    EXPECT_EQ(db().SelectRecords(browser, "0 7 8 4").DCount(),
              db().SelectRecordsByScan(browser, "0 7 8 4").DCount());
}

TEST(DemoDatabaseSeed, SameSeedSameRecordsOtherSeedOtherRecords) {
    const DemoFile a(Seed), b(Seed), other(Seed + 1);
    const auto first = Export(a.db);
    ASSERT_GT(first.size(), 100u);
    EXPECT_EQ(first, Export(b.db));
    EXPECT_NE(first, Export(other.db));
}

TEST_F(DemoDatabase, ContractsPointToExistingRecordsAndHoldValidDates) {
    const auto fin = ListCodes(db(), t::lists::FINCONTRAT);
    const auto natures = ListCodes(db(), t::lists::NATURECONTRAT);
    const auto motifs = ListCodes(db(), t::lists::MOTIFEMBAUCHE);
    const auto zones = ListCodes(db(), t::lists::CARTEORANGE);
    const auto qualifications = ListCodes(db(), t::lists::QUALIF);
    int checked = 0;
    for (const dba::Record& r : All(t::CONTRAT)) {
        SCOPED_TRACE(r.key());
        ++checked;
        ASSERT_EQ(r.key().size(), static_cast<std::size_t>(c::LongueurCle));
        // The browser sorts on the helper's name: every contract has one.
        ASSERT_TRUE(Exists(t::CIVILAIDANT, c::CodeAidant(r.key())));
        const dba::Record helper = db().OpenTable(t::CIVILAIDANT).ReadRecord(c::CodeAidant(r.key()));
        EXPECT_FALSE(helper.Item(data::civilaidant::Nom).empty() ||
                     helper.Item(data::civilaidant::Prenom).empty());
        const std::string entity = r.Item(c::EntiteJuridique);
        EXPECT_TRUE(Exists(t::ASSOCIATION, entity));
        EXPECT_TRUE(Exists(t::CONVENTIONCOL, r.Item(c::ConventionCollective)));
        const std::string employer = r.Item(c::Employeur);
        if (r.Item(c::ConventionCollective) == c::ConventionParticulierEmployeur) {
            EXPECT_EQ(employer.size(), 5u);
            EXPECT_TRUE(Exists(t::CIVILAIDE, employer));
        } else {
            EXPECT_EQ(employer.substr(0, 3), entity);
            EXPECT_TRUE(Exists(t::ETABLISSEMENT, employer));
        }
        EXPECT_TRUE(r.Item(c::TypeContrat) == "D" || r.Item(c::TypeContrat) == "I");
        EXPECT_TRUE(r.Item(c::ModeSalaire) == "H" || r.Item(c::ModeSalaire) == "M");
        EXPECT_TRUE(r.Item(c::Statut) == "P" || r.Item(c::Statut) == "A");

        // Dates.
        ASSERT_TRUE(ValidDay(r.Item(c::DateDebut)));
        const long long start = std::stoll(r.Item(c::DateDebut));
        if (!r.Item(c::DateFin).empty()) {
            ASSERT_TRUE(ValidDay(r.Item(c::DateFin)));
            EXPECT_LE(start, std::stoll(r.Item(c::DateFin)));
            EXPECT_TRUE(fin.count(r.Item(c::MotifFin)));
        }
        if (r.Item(c::TypeContrat) == "D") {
            ASSERT_TRUE(ValidDay(r.Item(c::DateFinPresumee)));
            EXPECT_LE(start, std::stoll(r.Item(c::DateFinPresumee)));
            // A fixed-term contract may still await its reason; a reason given is listed.
            if (!r.Item(c::MotifEmbauche).empty()) {
                EXPECT_TRUE(motifs.count(r.Item(c::MotifEmbauche)));
            }
        }
        EXPECT_TRUE(natures.count(r.Item(c::Nature)));
        EXPECT_TRUE(zones.count(r.Item(c::CarteOrange)));

        // Amendment entries in step, effective dates in order from the start.
        const int entries = Values(r, c::NumeroAvenant);
        for (int field : c::ChampsAvenant)
            EXPECT_EQ(Values(r, field), entries) << "champ " << field;
        long long previous = start;
        for (int n = 1; n <= entries; ++n) {
            EXPECT_EQ(r.Item(c::NumeroAvenant, n), (n <= 10 ? "0" : "") + std::to_string(n - 1));
            ASSERT_TRUE(ValidDay(r.Item(c::DateEffet, n)));
            EXPECT_GE(std::stoll(r.Item(c::DateEffet, n)), previous);
            previous = std::stoll(r.Item(c::DateEffet, n));
            EXPECT_TRUE(qualifications.count(r.Item(c::Qualification, n)));
            EXPECT_TRUE(Exists(t::PCS, r.Item(c::CodePCS, n)));
            if (!r.Item(c::Grille, n).empty()) {
                EXPECT_TRUE(Exists(t::GRILLESCC, r.Item(c::Grille, n)));
            }
        }

        // Pay elements.
        EXPECT_TRUE(Exists(t::PROFIL, r.Item(c::Profil)));
        if (!r.Item(c::Profil2).empty()) {
            EXPECT_TRUE(Exists(t::PROFIL, r.Item(c::Profil2)));
        }
        EXPECT_TRUE(Exists(t::CONTRATSPREV, r.Item(c::Prevoyance)));
        if (r.Item(c::ModePaiement) == "1") {
            EXPECT_TRUE(Exists(t::RIBAIDANT, c::CodeAidant(r.key())));
        }
        if (!r.Item(c::RubriqueChargeMutuelle).empty()) {
            EXPECT_TRUE(Exists(t::RUBCHARGE, r.Item(c::RubriqueChargeMutuelle)));
        }
        ASSERT_GE(r.DCount(c::Activites), 1);
        EXPECT_EQ(Values(r, c::RepartitionActivites), r.DCount(c::Activites));
        for (int v = 1; v <= r.DCount(c::Activites); ++v) {
            EXPECT_EQ(r.Item(c::Activites, v).substr(0, 3), entity);
            EXPECT_TRUE(Exists(t::ACTIVITES, r.Item(c::Activites, v)));
        }

        // Lists inside the record.
        for (int field : {90, 91, 92, 93})
            EXPECT_EQ(r.DCount(field) == 0 ? 0 : Values(r, field), r.DCount(c::RubSaisieCode))
                << "champ " << field;
        for (int v = 1; v <= r.DCount(c::RubSaisieCode); ++v)
            EXPECT_TRUE(Exists(t::RUBSAISIE, r.Item(c::RubSaisieCode, v)));
        EXPECT_EQ(r.DCount(c::TextesCommentaire), r.DCount(c::PeriodesCommentaire));
        for (int field : {77, 78, 79, 80, 100})
            EXPECT_EQ(r.DCount(field), r.DCount(c::suivi::Periode)) << "champ " << field;
        for (int field : {72, 73, 74, 75, 99})
            EXPECT_EQ(r.DCount(field), r.DCount(c::suivi::PrecPeriode)) << "champ " << field;
        // A helper may be replaced without an absence: an empty key.
        EXPECT_LE(r.DCount(c::AbsencesRemplacees), r.DCount(c::AidantsRemplaces));
        for (int v = 1; v <= r.DCount(c::AidantsRemplaces); ++v) {
            EXPECT_TRUE(Exists(t::CIVILAIDANT, r.Item(c::AidantsRemplaces, v)));
            if (!r.Item(c::AbsencesRemplacees, v).empty()) {
                EXPECT_TRUE(Exists(t::ABSENCESAIDANT, r.Item(c::AbsencesRemplacees, v)));
            }
        }
    }
    EXPECT_GT(checked, 30);
}

TEST_F(DemoDatabase, HasEveryShapeOfDataTheScreensShow) {
    struct Case {
        const char* what;
        std::string command;
        int atLeast;
    };
    const std::string many = AideNombreuxContrats;
    const std::string today = std::to_string(data::demo::Today());
    const Case cases[] = {
        {"agreement 02", "SELECT CONTRAT AVEC 1 = \"02\"", 1},
        {"other agreements", "SELECT CONTRAT AVEC 1 <> \"02\"", 1},
        {"fixed-term", "SELECT CONTRAT AVEC 4 = \"D\"", 1},
        {"open-ended", "SELECT CONTRAT AVEC 4 = \"I\"", 1},
        {"hourly", "SELECT CONTRAT AVEC 5 = \"H\"", 1},
        {"monthly", "SELECT CONTRAT AVEC 5 = \"M\"", 1},
        {"administrative", "SELECT CONTRAT AVEC 6 = \"A\"", 1},
        {"ended", "SELECT CONTRAT AVEC 8", 1},
        {"open", "SELECT CONTRAT SANS 8", 1},
        {"deleted", "SELECT CONTRAT AVEC 65 = \"O\"", 1},
        {"amended", "SELECT CONTRAT AVEC 14 = \"01\"", 1},
        {"three amendments", "SELECT CONTRAT AVEC 14 = \"03\"", 1},
        {"amended into a grid with suspension days",
         "SELECT CONTRAT AVEC 1 = \"02\" AND AVEC 14 = \"04\" AND AVEC 20 AND AVEC 70 > \"0\"", 1},
        {"follow-up this year", "SELECT CONTRAT AVEC 76", 1},
        {"follow-up last year", "SELECT CONTRAT AVEC 71", 1},
        {"pay-entry items", "SELECT CONTRAT AVEC 89", 1},
        {"payslip comments", "SELECT CONTRAT AVEC 87", 1},
        {"replaced helpers", "SELECT CONTRAT AVEC 114", 1},
        {"replaced without an absence", "SELECT CONTRAT AVEC 114 AND AVEC 115 = \"\"", 1},
        {"replaced known by name only", "SELECT CONTRAT AVEC 10", 1},
        {"fixed-term awaiting its reason", "SELECT CONTRAT AVEC 4 = \"D\" AND SANS 9 AND SANS 113", 1},
        {"a comment on every payslip of a year",
         "SELECT CONTRAT AVEC 87 = \"202601\" AND AVEC 87 = \"202612\"", 1},
        {"absences going on",
         "SELECT ABSENCESAIDANT AVEC DebAbsAidant <= \"" + today + "\" AND AVEC 2 >= \"" + today + "\"", 1},
        {"absences to come", "SELECT ABSENCESAIDANT AVEC DebAbsAidant > \"" + today + "\"", 1},
        {"start locked by a payslip", "SELECT CONTRAT AVEC 63", 1},
        {"start still free", "SELECT CONTRAT SANS 63 AND AVEC 65 <> \"O\"", 1},
        {"agreed termination", "SELECT CONTRAT AVEC 49 = \"43\" AND AVEC 129", 1},
        {"month not invoiced", "SELECT DETAILCALCUL AVEC 1 = \"P\"", 1},
        {"calculated months", "SELECT DETAILCALCUL AVEC 1 = \"F\"", 1},
        {"planned interventions", "SELECT TPSDETAILSINTERV", 1},
        {"unavailability", "SELECT TPSAIDANTINDISPO", 1},
        {"indirect labour", "SELECT TPSMOI", 2},
        {"a slot kept without contract", "SELECT TPSSANSCONTRAT", 1},
        {"an opposition", "SELECT OPPOSITION", 1},
        {"administrative payroll details", "SELECT DETAILADMIN", 1},
        {"service and intervention details", "SELECT DETAILPREST", 1},
        {"intervention details", "SELECT DETAILINTER", 1},
        {"missions", "SELECT MISSIONSAIDANT", 1},
        {"employers found by name", "SSELECT CIVILAIDE AVEC CodeAideElts AND SANS 43", 10},
        {"ZORVELIA telemanagement", "SELECT ASSOCIATION AVEC 38 = \"ZORVELIA\"", 1},
        {"telemanagement 06", "SELECT ASSOCIATION AVEC 38 = \"06\"", 1},
        {"other telemanagement", "SELECT ASSOCIATION AVEC 38 <> \"ZORVELIA\" AND AVEC 38 <> \"06\"", 1},
        {"withdrawn end reasons", "SELECT TABLES AVEC 5 = \"O\"", 1},
        {"PCS categories", "SSELECT PCS AVEC 0 < \"100\" PAR 1", 4},
        {"home-help functions", "SELECT PCS AVEC 0 = \"563b\" OR = \"563c\"", 2},
        {"profiles of agreement 02", "SELECT PROFIL AVEC 4 = \"1\"", 1},
        {"other profiles", "SELECT PROFIL AVEC 4 <> \"1\"", 1},
        {"mutual insurance items",
         "SSELECT RUBCHARGE AVEC 16 = \"08\" AND AVEC 11 = \"Montant\" AND AVEC 30 = \"\" OR AVEC 16 = "
         "\"08\" AND AVEC "
         "15 = \"Montant\" AND AVEC 30 = \"\" PAR 1",
         2},
        {"home-help charge items", "SSELECT RUBCHARGE AVEC 28 = \"1\" AND AVEC 30 = \"\"", 1},
        {"pay-entry catalogue", "SSELECT RUBSAISIE AVEC 18 # \"1\" PAR 1", 5},
        {"mandate activities", "SELECT ACTIVITES AVEC 0 = \"001]\" AND AVEC 12 = \"M\"", 1},
        {"service activities", "SELECT ACTIVITES AVEC 0 = \"001]\" AND AVEC 12 <> \"M\"", 1},
        {"establishments of an entity", "SELECT ETABLISSEMENT AVEC 0 = \"001]\"", 2},
        {"grids of agreement 06", "SSELECT GRILLESCC AVEC 0 = \"06]\" AND AVEC 8 <> \"1\" PAR 1", 2},
        {"provident schemes of 02", "SELECT CONTRATSPREV AVEC ConvColPrev = \"02\"", 1},
        {"contracts of beneficiary 00001", "SELECT CONTRAT AVEC 3 = \"" + many + "\" AND AVEC 65 <> \"O\"",
         16},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        EXPECT_GE(db().SelectRecords(test.command).DCount(), test.atLeast) << test.command;
    }
    // Some helpers, not most, have no bank details.
    EXPECT_LT(db().SelectRecords("SELECT RIBAIDANT").DCount(),
              db().SelectRecords("SELECT CIVILAIDANT").DCount());
    EXPECT_GT(db().SelectRecords("SELECT RIBAIDANT").DCount(),
              db().SelectRecords("SELECT CIVILAIDANT").DCount() / 2);
}

TEST_F(DemoDatabase, OneHelperComesOnSeveralDaysAndHoursUnderHerContract) {
    const std::string contract = data::demo::PlanningShowcaseContract(db());
    ASSERT_FALSE(contract.empty());
    const dba::Record r = db().OpenTable(t::CONTRAT).ReadRecord(contract);
    const dba::ResultList planned = db().SelectRecords("SELECT TPSDETAILSINTERV = \"" + contract +
                                                         "]\" AVEC CodeAide = \"" + r.Item(c::Employeur) +
                                                         "\" AND AVEC CodeActInterv = \"" +
                                                         r.Item(c::Activites, 1) + "\"",
                                                     "0 JourInterv HeureInterv 1");
    std::set<std::string> days, hours;
    int open = 0;
    for (int i = 1; i <= planned.DCount(); ++i) {
        days.insert(planned.Item(i, 2));
        hours.insert(planned.Item(i, 3));
        open += planned.Item(i, 4).empty();
    }
    EXPECT_GE(days.size(), 3u);
    EXPECT_GE(hours.size(), 3u);
    EXPECT_GT(open, 0) << "an end given to the contract cuts some of them";
    EXPECT_GE(db().SelectRecords("SELECT TPSMOI AVEC 4 = \"" + contract + "\"").DCount(), 1);
}

TEST_F(DemoDatabase, SettingsRecordsAndListsAreUsable) {
    const dba::Record compteur = db().OpenTable(t::COMPTEUR).ReadRecord(t::keys::Compteur);
    EXPECT_FALSE(compteur.Item(data::compteur::ControlePlanning).empty());
    EXPECT_LT(compteur.Item(data::compteur::NiveauGestionContrat), std::string("3"));
    const dba::Record periods = db().OpenTable(t::PERIODESPAIE).ReadRecord(t::keys::PeriodesPaie);
    for (int field : {data::periodespaie::PeriodeCourante, data::periodespaie::PeriodeSuivante}) {
        const std::string period = periods.Item(field);
        ASSERT_EQ(period.size(), 6u);
        EXPECT_TRUE(QDate(std::stoi(period.substr(0, 4)), std::stoi(period.substr(4)), 1).isValid())
            << period;
    }
    EXPECT_EQ(
        db().OpenTable(t::CONSTANTESPAIE).ReadRecord("1").Item(data::constantespaie::PlafondHebdomadaire),
        "4800");

    for (const char* list :
         {t::lists::ABSENCES, t::lists::CARTEORANGE, t::lists::FINCONTRAT, t::lists::MOTIFEMBAUCHE,
          t::lists::NATURECONTRAT, t::lists::NATUREVOIE, t::lists::QUALIF}) {
        SCOPED_TRACE(list);
        const dba::Record r = db().OpenTable(t::TABLES).ReadRecord(list);
        EXPECT_FALSE(r.Item(data::listes::Actif).empty());
        EXPECT_GE(r.DCount(data::listes::Codes), 4);
        EXPECT_EQ(r.DCount(data::listes::Libelles), r.DCount(data::listes::Codes));
    }
    const auto fin = ListCodes(db(), t::lists::FINCONTRAT);
    for (const char* code : {"11", "12", "34", "35", "37", "43", "91"})
        EXPECT_TRUE(fin.count(code)) << code;
}

TEST_F(DemoDatabase, BrowserSearchListsTheContractsOfABeneficiary) {
    // The browser's own search, pay period 202611, today 05/12/2026.
    using control::Validity;
    const long long today =
        std::stoll(data::dates::DateToInternal(QStringLiteral("05/12/2026")).toStdString());
    const auto search = [&](const std::string& code, Validity validity) {
        const std::string command = control::BuildSearchQuery(code, validity, control::SortOrder::Aidant,
                                                              today, control::PeriodStartDay("202611"));
        return db().SelectRecords(command, "0 7 8 4").DCount();
    };
    struct Case {
        std::string code;
        Validity validity;
        int atLeast, atMost;
    };
    const Case cases[] = {
        {AideNombreuxContrats, Validity::Actifs, 16, 40}, // the list scrolls
        {AideNombreuxContrats, Validity::Historiques, 2, 40},
        {AideSansContrat, Validity::Tous, 0, 0},
        {AideHistorique, Validity::Actifs, 0, 0},
        {AideHistorique, Validity::Historiques, 3, 20},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.code + " validity " + std::to_string(static_cast<int>(test.validity)));
        const int found = search(test.code, test.validity);
        EXPECT_GE(found, test.atLeast);
        EXPECT_LE(found, test.atMost);
    }
    // Several other beneficiaries employ from 3 to 20 helpers.
    int busy = 0;
    for (const auto& code : Keys("SELECT CIVILAIDE"))
        if (const int n = search(code, Validity::Tous); n >= 3 && n <= 20)
            ++busy;
    EXPECT_GE(busy, 4);
}

TEST_F(DemoDatabase, UsersHaveTheirRights) {
    struct Case {
        std::string user;
        int contractLevel;
        const char* entity;
        bool authorised;
    };
    const Case cases[] = {
        {data::demo::UtilisateurDemo, 2, "004", true},
        {data::demo::UtilisateurDirection, 2, "001", true},
        {data::demo::UtilisateurConsultation, 1, "001", true},
        {data::demo::UtilisateurAntenne, 2, "002", true},
        {data::demo::UtilisateurAntenne, 2, "001", false},
        {data::Lire_NomUtilisateur().toStdString(), 2, "003", true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.user + " " + test.entity);
        data::AccessRights rights(db(), test.user);
        const data::RightsProfile contracts = rights.GetModuleRights("DOSAIDECONTRAT");
        EXPECT_EQ(contracts.AccessLevel(), test.contractLevel);
        EXPECT_EQ(rights.GetModuleRights("DOSSIERAIDE").AccessLevel(), test.contractLevel);
        EXPECT_EQ(contracts.IsAuthorised(test.entity, 0), std::optional<bool>(test.authorised));
    }
}

TEST(DemoDatabaseScale, ScaleMultipliesTheContractsAndBadRequestsAreRefused) {
    const DemoFile one(3, 1), four(3, 4);
    const int small = one.db.SelectRecords("SELECT CONTRAT").DCount();
    const int large = four.db.SelectRecords("SELECT CONTRAT").DCount();
    EXPECT_GE(small, 40);
    EXPECT_LE(small, 120);
    EXPECT_GE(large, 2 * small); // the showcase contracts do not grow with the scale
    EXPECT_EQ(four.db.Check(), std::vector<std::string>{});

    // Not twice into the same database, nor out of range: nothing written.
    dba::Database db = one.db;
    EXPECT_THROW(data::BuildDemoDatabase(db, 1, 3), std::invalid_argument);
    EXPECT_EQ(db.SelectRecords("SELECT CONTRAT").DCount(), small);
    QTemporaryDir dir;
    dba::Database empty = dba::Database::Create(dir.filePath(QStringLiteral("e.arbel")).toStdString());
    EXPECT_THROW(data::BuildDemoDatabase(empty, 0, 1), std::invalid_argument);
    EXPECT_THROW(data::BuildDemoDatabase(empty, data::demo::MaxDemoScale + 1, 1), std::invalid_argument);
}

TEST(DemoDatabaseConsole, DemoCommandBuildsChecksAndRefusesAnExistingFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("demo.arbel"));
    const auto run = [&](const QStringList& args) { return RunProgram(QStringLiteral(ARBEL_DB_EXE), args); };
    const ProgramRun built = run({file, "demo", "--seed", "11"});
    ASSERT_EQ(built.exitCode, 0) << built.Describe(ARBEL_DB_EXE, {}).toStdString();
    EXPECT_TRUE(built.out.contains(QStringLiteral("\nCONTRAT\t"))) << built.out.toStdString();
    EXPECT_TRUE(built.out.contains(QStringLiteral("base cohérente"))) << built.out.toStdString();
    // The file is a database the other commands open.
    EXPECT_EQ(run({file, "show", "CIVILAIDE", AideNombreuxContrats}).exitCode, 0);

    EXPECT_EQ(run({file, "demo"}).exitCode, 1); // the file exists
    EXPECT_EQ(run({file, "demo", "--scale", "zéro"}).exitCode, 2);
    EXPECT_EQ(run({file, "demo", "--scale", "0"}).exitCode, 2);

    // The command may also come first, as in "arbel-db demo FILE".
    const QString other = dir.filePath(QStringLiteral("autre.arbel"));
    const ProgramRun commandFirst = run({"demo", other});
    EXPECT_EQ(commandFirst.exitCode, 0) << commandFirst.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(other));
}
