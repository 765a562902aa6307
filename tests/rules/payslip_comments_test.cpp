#include "rules/payslip_comments.h"

#include "data/contrat_fields.h"
#include "data/tables.h"
#include "support/library_fixture.h"

#include <gtest/gtest.h>

using namespace rules;
namespace c = data::contrat;

TEST(PayslipComments, PeriodsShownAsMonthAndYearInCapitals) {
    const struct {
        const char* periode;
        const char* expected;
    } cases[] = {
        {"202602", "FÉVRIER 2026"},
        {"202608", "AOÛT 2026"},
        {"202612", "DÉCEMBRE 2026"},
        {"202701", "JANVIER 2027"},
        {"202613", ""},
        {"2026", ""},
        {"", ""},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.periode);
        EXPECT_EQ(LibellePeriode(QString::fromLatin1(k.periode)), QString::fromUtf8(k.expected));
    }
}

TEST(PayslipComments, NewPeriodGoesBeforeTheFirstLaterOne) {
    const QStringList list = {"202510", "202601", "202611"};
    const struct {
        const char* what;
        QStringList list;
        const char* periode;
        int expected;
    } cases[] = {
        {"empty list", {}, "202611", 0},
        {"earliest", list, "202509", 0},
        {"across a year", list, "202512", 1},
        {"latest", list, "202612", 3},
        {"same period as a line: after it", list, "202601", 2},
        {"list in no order: first later line wins", {"202612", "202601"}, "202611", 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(PlaceTriee(k.list, QString::fromLatin1(k.periode)), k.expected);
    }
}

TEST(PayslipComments, LineCheckedBeforeItJoinsTheList) {
    const QStringList list = {"202610", "202611"};
    const Refus obligatoire{"La période ainsi que le libellé sont obligatoires.", ui::Icon::Exclamation,
                            "Cbo_Periode"};
    const struct {
        const char* what;
        bool creation;
        const char* periode;
        const char* libelle;
        std::optional<Refus> expected;
    } cases[] = {
        {"both given, new period", true, "202612", "Prime", std::nullopt},
        {"no period", true, "", "Prime", obligatoire},
        {"no text: focus on the text", true, "202612", "",
         Refus{obligatoire.message, ui::Icon::Exclamation, "Txt_Libelle"}},
        {"neither: focus on the period", true, "", "", obligatoire},
        {"second comment for a period", true, "202611", "Autre",
         Refus{"La période sélectionnée est déjà renseignée.", ui::Icon::Exclamation, "Cbo_Periode"}},
        {"a changed line keeps its own period", false, "202611", "Texte corrigé", std::nullopt},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(
            VerifCommentaire(k.creation, QString::fromLatin1(k.periode), QString::fromUtf8(k.libelle), list),
            k.expected);
    }
}

TEST(PayslipComments, ReadUpToTheFirstEmptyPeriodAndWrittenBackExactly) {
    LibraryDatabase lib;
    lib.Put(data::tables::CONTRAT, "50001001",
            {{c::PeriodesCommentaire, Values({"202610", "202611", "", "202701"})},
             {c::TextesCommentaire, Values({"Heures d'octobre", "Prime", "perdu", "oublié"})},
             {c::TextesCommentaire + 1, "suite"}});
    dba::Record r = lib.db.OpenTable(data::tables::CONTRAT).ReadRecord("50001001");
    const std::string texte = r.Item();

    const auto lignes = LireCommentaires(r);
    ASSERT_EQ(lignes.size(), 2u);
    EXPECT_EQ(lignes[1], (CommentaireBulletin{"202611", "Prime"}));

    // Nothing changed on screen: the record keeps every byte.
    const ChampsCommentaires memes =
        ChampsDe({{"202610", "Heures d'octobre"}, {"202611", "Prime"}, {"", "perdu"}, {"202701", "oublié"}});
    EcrireCommentaires(r, memes);
    EXPECT_EQ(r.Item(), texte);

    // One line deleted: one value fewer in both fields, the next field intact.
    EcrireCommentaires(r, ChampsDe({lignes[1]}));
    EXPECT_EQ(r.Item(c::PeriodesCommentaire), "202611");
    EXPECT_EQ(r.Item(c::TextesCommentaire), "Prime");
    EXPECT_EQ(r.Item(c::TextesCommentaire + 1), "suite");
    EXPECT_EQ(LireCommentaires(r), (std::vector<CommentaireBulletin>{{"202611", "Prime"}}));

    // Every line deleted.
    EcrireCommentaires(r, ChampsDe({}));
    EXPECT_TRUE(LireCommentaires(r).empty());
    EXPECT_EQ(r.DCount(c::TextesCommentaire), 0);
}
