// Filling a model: conditions, repeated paragraphs, and every name that is
// unknown or has no value reported, so that nothing is printed half-filled.
#include "documents/fusion.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

using documents::Genre;
using documents::Paragraphe;
using Sorte = documents::Paragraphe::Sorte;

documents::Valeurs Valeurs() {
    return {{"salarie", {"Jeanne MARTIN"}},
            {"salarie_adresse", {""}},
            {"cdd", {}},
            {"date_fin", {"30 juin 2026"}},
            {"periode_essai", {"30 jours"}},
            {"modifications", {"Le taux passe de 11,50 € à 12,00 €.", "La durée passe de 20 à 25 heures."}}};
}

TEST(FusionTest, ParagraphsAreKeptFilledOrReportedWhole) {
    struct Case {
        const char* what;
        Genre genre;
        QStringList paragraphs;
        std::vector<Paragraphe> expected;
        QStringList unknown;
        QStringList missing;
    } cases[] = {
        {"a heading, a paragraph and a bullet", Genre::Contrat,
         {"# Article 1 – Engagement", "Engagement de {{ salarie }}.", "- Essai : {{periode_essai}}"},
         {{Sorte::Titre, "Article 1 – Engagement"},
          {Sorte::Texte, "Engagement de Jeanne MARTIN."},
          {Sorte::Puce, "Essai : 30 jours"}},
         {},
         {}},
        {"conditions keep or drop, and stack", Genre::Contrat,
         {"{{?cdd}}Fin le {{date_fin}}.", "{{!cdd}}Sans terme.", "{{!cdd}}{{?date_fin}}Fin prévue."},
         {{Sorte::Texte, "Sans terme."}, {Sorte::Texte, "Fin prévue."}},
         {},
         {}},
        {"a dropped paragraph still may not misspell a name", Genre::Contrat,
         {"{{?cdd}}Fin le {{date_fn}}.", "{{?essai}}Essai."},
         {},
         {"{{date_fn}}", "{{essai}}"},
         {}},
        {"an empty value in a kept paragraph is missing, once", Genre::Contrat,
         {"Demeurant {{salarie_adresse}}.", "Adresse : {{salarie_adresse}}, essai {{cdd}}."},
         {{Sorte::Texte, "Demeurant ."}, {Sorte::Texte, "Adresse : , essai ."}},
         {},
         {"l'adresse du salarié", "le type de contrat"}},
        {"an amendment's field is unknown to a contract", Genre::Contrat,
         {"- {{modifications}}", "Texte {{salarie"},
         {{Sorte::Puce, "{{modifications}}"}, {Sorte::Texte, "Texte {{salarie"}},
         {"{{modifications}}", "{{salarie"},
         {}},
        {"a field of several values repeats its paragraph", Genre::Avenant,
         {"- {{modifications}}", "Signé : {{salarie}}"},
         {{Sorte::Puce, "Le taux passe de 11,50 € à 12,00 €."},
          {Sorte::Puce, "La durée passe de 20 à 25 heures."},
          {Sorte::Texte, "Signé : Jeanne MARTIN"}},
         {},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        documents::Modele modele{"00102CONTRAT", "Contrat de {{salarie}}", c.paragraphs};
        const documents::Fusion fusion = documents::Fusionner(modele, c.genre, Valeurs());
        EXPECT_EQ(fusion.titre, "Contrat de Jeanne MARTIN");
        EXPECT_EQ(fusion.inconnus, c.unknown);
        EXPECT_EQ(fusion.manquants, c.missing);
        ASSERT_EQ(fusion.paragraphes.size(), c.expected.size());
        for (size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(fusion.paragraphes[i].sorte, c.expected[i].sorte) << i;
            EXPECT_EQ(fusion.paragraphes[i].texte, c.expected[i].texte) << i;
        }
    }
}

} // namespace
