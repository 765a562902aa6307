#include "rules/fixed_term_reason.h"

#include "data/contrat_fields.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "dba/dynarray.h"
#include "support/library_fixture.h"

#include <gtest/gtest.h>

using namespace rules;
namespace c = data::contrat;
namespace t = data::tables;

namespace {

const QString NomLong = QStringLiteral("Mme Marie-Christine de La Roche-Beauregard, salariée directe");
const QString Maladie = QStringLiteral("Maladie du 02/11/26 au 13/12/26");

std::vector<std::string> Keys(const dba::Database& db, const std::string& query) {
    const dba::ResultList list = db.SelectRecords(query, "0");
    std::vector<std::string> keys;
    for (int r = 1; r <= list.DCount(); ++r)
        keys.push_back(list.Item(r, 1));
    return keys;
}

} // namespace

TEST(FixedTermReason, RowsHoldFixedColumnsAndReadBack) {
    const QString row = LigneAidantRemplace("50002", QString(40, 'N'), QString(70, 'A'), "500020121490");
    EXPECT_EQ(row.size(), 125 + 12);
    EXPECT_EQ(row.mid(5, 2), "  ");
    EXPECT_EQ(row.mid(7, 38), QString(35, 'N') + "   ");
    EXPECT_EQ(row.mid(45, 80), QString(60, 'A') + QString(20, ' '));
    EXPECT_EQ(row.mid(125), "500020121490");

    const struct {
        const char* what;
        QString row;
        LigneRemplace expected;
    } cases[] = {
        {"helper with an absence",
         LigneAidantRemplace("50002", "Guérin Nathalie", Maladie, "500010221490"),
         {"50002", "Guérin Nathalie", Maladie, "500010221490"}},
        {"helper without an absence",
         LigneAidantRemplace("50003", "Lebreton Sophie", "", ""),
         {"50003", "Lebreton Sophie", "", ""}},
        {"long name and label as far as a row keeps them",
         row,
         {"50002", QString(35, 'N'), QString(60, 'A'), "500020121490"}},
        {"known by name only: the whole name", LigneRemplaceSansCode(NomLong), {"", NomLong, "", ""}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(LireLigne(k.row), k.expected);
    }
}

TEST(FixedTermReason, AbsenceLabelFromKeyAndEndDay) {
    const QString key = QString("4900102") + QString::fromStdString(Day("02/11/2026"));
    EXPECT_EQ(LibelleAbsence("Maladie", key, QString::fromStdString(Day("13/12/2026"))), Maladie);
    EXPECT_EQ(LibelleAbsence("Maladie", key, ""), "Maladie du 02/11/26 au ");
    EXPECT_EQ(DateCourte(QString::fromStdString(Day("01/01/2000"))), "01/01/00");
    EXPECT_EQ(DateCourte("x"), "");
}

TEST(FixedTermReason, ReasonListOfferedOnlyWhenInUse) {
    LibraryDatabase lib;
    lib.Put(t::TABLES, "MOTIFEMBAUCHE",
            {{1, "Motifs"},
             {2, Values({"01", "02", "02"})},
             {3, Values({"Remplacement", "Surcroît", "Doublon"})}});
    lib.Put(t::TABLES, "ABSENCES", {{2, Values({"01", "02"})}, {3, Values({"Congés payés", "Maladie"})}});
    const dba::Table tables = lib.db.OpenTable(t::TABLES);
    const ListeParametres motifs = LireListe(tables.ReadRecord("MOTIFEMBAUCHE"));
    EXPECT_EQ(LibellesOfferts(motifs), QStringList({"Remplacement", "Surcroît", "Doublon"}));
    EXPECT_EQ(IndexDuCode(motifs, "02"), 1);
    EXPECT_EQ(IndexDuCode(motifs, "09"), -1);
    EXPECT_EQ(IndexDuCode(motifs, ""), -1);

    // A list without its field 1 is offered nowhere, yet still names codes.
    const ListeParametres absences = LireListe(tables.ReadRecord("ABSENCES"));
    EXPECT_TRUE(LibellesOfferts(absences).isEmpty());
    EXPECT_EQ(IndexDuCode(absences, "02"), -1);
    EXPECT_EQ(LibelleDuCode(absences, "02"), "Maladie");
    EXPECT_EQ(LibelleDuCode(absences, "99"), "");
}

TEST(FixedTermReason, HelperCodeCompletedAndChecked) {
    EXPECT_EQ(CompleterCodeAidant(""), "00000");
    EXPECT_EQ(CompleterCodeAidant("500012"), "500012");

    const QString debut = QString::fromStdString(Day("16/11/2026"));
    const Refus inconnu{"Cet aidant n'existe pas.", ui::Icon::Exclamation, "Txt_CodeAidant"};
    const Refus supprime{"Cet aidant existe mais est à l'état supprimé.", ui::Icon::Exclamation,
                         "Txt_CodeAidant"};
    const AidantLu present{"Guérin", "Nathalie", ""};
    const struct {
        const char* what;
        QString code;
        std::optional<AidantLu> aidant;
        QString debut;
        std::optional<Refus> expected;
    } cases[] = {
        {"working helper", "49001", present, debut, std::nullopt},
        {"no helper of that code", "49099", std::nullopt, debut, inconnu},
        {"longer than a helper code", "490011", present, debut, inconnu},
        {"left before the start", "49008",
         AidantLu{"Vidal", "Monique", QString::fromStdString(Day("30/06/2026"))}, debut, supprime},
        {"leaves on the start day", "49008", AidantLu{"Vidal", "Monique", debut}, debut, std::nullopt},
        {"leaves later", "49008", AidantLu{"Vidal", "Monique", QString::fromStdString(Day("31/12/2026"))},
         debut, std::nullopt},
        {"no start date to compare with", "49008",
         AidantLu{"Vidal", "Monique", QString::fromStdString(Day("30/06/2026"))}, "", std::nullopt},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(VerifAidantParCode(k.code, k.aidant, k.debut), k.expected);
    }
    EXPECT_EQ(MessageSansContrat("02"),
              "Cet aidant n'a pas de contrat avec cet aidé. Il n'y a donc pas de remplacement à effectuer.");
    EXPECT_EQ(
        MessageSansContrat("06"),
        "Cet aidant n'a pas de contrat avec cette entité. Il n'y a donc pas de remplacement à effectuer.");
}

TEST(FixedTermReason, RowCheckRefusesSelfAndDuplicates) {
    const QString conges = QStringLiteral("Congés payés du 21/12/26 au 03/01/27");
    const QStringList lignes = {
        LigneRemplaceSansCode(NomLong),
        LigneAidantRemplace("49001", "Guérin Nathalie", Maladie, "49001022..."),
        LigneAidantRemplace("49003", "Lebreton Sophie", "", ""),
        LigneAidantRemplace("49009", "Long Label", QString(60, 'x') + "ignored", "k"),
    };
    auto info = [](const char* message, const char* focus) {
        return Refus{QString::fromUtf8(message), ui::Icon::Information, QString::fromLatin1(focus)};
    };
    const Refus dejaAidant = info("Cet aidant a déjà été ajouté à la liste.", "Txt_CodeAidant");
    const Refus dejaAbsence =
        info("Cette absence pour cet aidant a déjà été ajoutée à la liste.", "Cbo_Absence");
    const struct {
        const char* what;
        SaisieAidant saisie;
        std::optional<Refus> expected;
    } cases[] = {
        {"new helper", {"49002", "Moreau Patricia", "", "49004"}, std::nullopt},
        {"no code",
         {"", "Moreau Patricia", "", "49004"},
         info("Le code de l'aidant est obligatoire.", "Txt_CodeAidant")},
        {"no name", {"49002", "", "", "49004"}, info("L'aidant doit être renseigné.", "Cbo_AidantRemplace")},
        {"the contract's own helper",
         {"49004", "Faucher Amandine", "", "49004"},
         info("L'aidant ne peut pas se remplacer lui-même.", "Txt_CodeAidant")},
        {"listed without absence, added without", {"49003", "Lebreton Sophie", "", "49004"}, dejaAidant},
        {"listed without absence, added with one", {"49003", "Lebreton Sophie", conges, "49004"}, dejaAidant},
        {"listed with an absence, added without", {"49001", "Guérin Nathalie", "", "49004"}, dejaAidant},
        {"same helper, same absence", {"49001", "Guérin Nathalie", Maladie, "49004"}, dejaAbsence},
        {"same helper, another absence", {"49001", "Guérin Nathalie", conges, "49004"}, std::nullopt},
        {"label compared as far as a row keeps it",
         {"49009", "Long Label", QString(60, 'x') + "other", "49004"},
         dejaAbsence},
        {"the row being changed is not a duplicate of itself",
         {"49001", "Guérin Nathalie", "", "49004", 1},
         std::nullopt},
        {"another row is", {"49003", "Lebreton Sophie", "", "49004", 1}, dejaAidant},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(VerifAidantRemplacant(k.saisie, lignes), k.expected);
    }
}

TEST(FixedTermReason, FieldsBuiltFromTheScreen) {
    const QStringList troisLignes = {
        LigneRemplaceSansCode(NomLong),
        LigneAidantRemplace("49001", "Guérin Nathalie", Maladie, "4900102K1"),
        LigneAidantRemplace("49001", "Guérin Nathalie", "Congés", "4900103K2"),
    };
    const struct {
        const char* what;
        QString ligne1, ligne2, code;
        QStringList lignes;
        ChampsMotif expected;
    } cases[] = {
        {"name only first, one helper for two absences; a long name kept whole",
         "Remplacement",
         "",
         "01",
         troisLignes,
         {"Remplacement", NomLong.toStdString(), "01", Values({"49001", "49001"}),
          Values({"4900102K1", "4900103K2"})}},
        {"second line without a first one is dropped", "", "et de Sophie", "", {}, {"", "", "", "", ""}},
        {"both lines",
         "Surcroît",
         "jusqu'en mars",
         "02",
         {},
         {Values({"Surcroît", "jusqu'en mars"}), "", "02", "", ""}},
        {"keys stay in step with the codes",
         "x",
         "",
         "",
         {LigneAidantRemplace("49003", "Lebreton", "", ""),
          LigneAidantRemplace("49001", "Guérin", Maladie, "K1"),
          LigneAidantRemplace("49002", "Moreau", "", "")},
         {"x", "", "", Values({"49003", "49001", "49002"}), Values({"", "K1", ""})}},
        {"no key at all: no field 115",
         "x",
         "",
         "",
         {LigneAidantRemplace("49003", "Lebreton", "", "")},
         {"x", "", "", "49003", ""}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(ConstruireChampsMotif(k.ligne1, k.ligne2, k.code, k.lignes), k.expected);
    }
}

TEST(FixedTermReason, UnchangedFieldsKeepTheRecordTextChangedOnesAreWritten) {
    LibraryDatabase lib;
    // Stored by another program: second reason line empty but present, a
    // trailing empty key, and fields after ours.
    lib.Put(t::CONTRAT, "49004001",
            {{c::MotifEmbaucheTexte, Values({"Remplacement", ""})},
             {c::RemplacesSansCode, NomLong.toStdString()},
             {c::AidantsRemplaces, Values({"49001", "49003"})},
             {c::AbsencesRemplacees, Values({"K1", ""})},
             {c::MotifEmbauche, "01"},
             {130, "après"}});
    dba::Record r = lib.db.OpenTable(t::CONTRAT).ReadRecord("49004001");
    const std::string texte = r.Item();
    const QStringList lignes = {LigneRemplaceSansCode(NomLong), LigneAidantRemplace("49001", "G", "M", "K1"),
                                LigneAidantRemplace("49003", "L", "", "")};
    const ChampsMotif memes = ConstruireChampsMotif("Remplacement", "", "01", lignes);
    EXPECT_TRUE(MemeContenu(memes, LireChampsMotif(r)));
    EcrireChampsMotif(r, memes);
    EXPECT_EQ(r.Item(), texte);

    const ChampsMotif autres = ConstruireChampsMotif("Remplacement", "", "02", {lignes[1]});
    EXPECT_FALSE(MemeContenu(autres, LireChampsMotif(r)));
    EcrireChampsMotif(r, autres);
    EXPECT_EQ(r.Item(c::MotifEmbauche), "02");
    EXPECT_EQ(r.Item(c::RemplacesSansCode), "");
    EXPECT_EQ(r.Item(c::AidantsRemplaces), "49001");
    EXPECT_EQ(r.Item(c::AbsencesRemplacees, 1), "K1"); // its empty value after it is no content
    EXPECT_EQ(r.Item(130), "après");
}

TEST(FixedTermReason, ContractQueryFindsTheHelpersContractsWithThisEmployer) {
    LibraryDatabase lib;
    auto day = [](const char* d) { return Day(d); };
    const QString jour = QString::fromStdString(day("16/11/2026"));
    const struct {
        const char* key;
        const char* convention;
        const char* entite;
        const char* employeur;
        const char* debut;
        const char* fin;
    } contrats[] = {
        {"49001001", "02", "001", "49001", "06/03/2023", ""},            // running, beneficiary 49001
        {"49002001", "02", "001", "48000", "06/03/2023", ""},            // another beneficiary
        {"49002002", "02", "001", "49001", "01/01/2025", "31/10/2026"},  // over before the start
        {"49008001", "02", "001", "49001", "01/12/2026", "31/12/2026"},  // begins later
        {"49010001", "06", "002", "002001", "01/01/2026", "30/11/2026"}, // entity 002, running
    };
    for (const auto& k : contrats)
        lib.Put(t::CONTRAT, k.key,
                {{1, k.convention},
                 {2, k.entite},
                 {3, k.employeur},
                 {7, day(k.debut)},
                 {8, k.fin[0] ? day(k.fin) : ""}});
    const struct {
        const char* what;
        const char* code;
        const char* convention;
        std::vector<std::string> expected;
    } cas[] = {
        {"running with the beneficiary", "49001", "02", {"49001001"}},
        {"only other beneficiaries or over", "49002", "02", {}},
        {"begins later", "49008", "02", {"49008001"}},
        {"other agreement: the entity counts", "49010", "06", {"49010001"}},
        {"same helper under agreement 02 and another entity", "49010", "02", {}},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(Keys(lib.db, RequeteContratsAidant(k.code, k.convention, "49001", "002", jour)),
                  k.expected);
    }
}
