#include "rules/pay_elements_checks.h"

#include <functional>
#include <gtest/gtest.h>

using namespace rules;

namespace {

// An hourly production contract under agreement "02" with one profile, paid
// by cheque, with one activity: every check passes.
ElementsPaieSaisie Valide() {
    ElementsPaieSaisie s;
    s.mutSal = "0";
    s.mutPat = "0";
    s.profil1 = "101";
    s.modePaiement = "Chèque";
    s.activites = {"Ménage"};
    s.parts = {""};
    s.statut = "P";
    s.production = true;
    s.convention = "02";
    return s;
}

} // namespace

TEST(PayElementsChecks, FirstRefusalInOrder) {
    const char* charge = "La rubrique de charge liée à la mutuelle est obligatoire.";
    const char* total = "Le total de la répartition des activités est différent de 100.";
    auto administratif = [](ElementsPaieSaisie& s, QStringList parts) {
        s.administratif = true, s.production = false, s.statut = "A";
        s.activites = {"Ménage", "Repas"};
        s.parts = parts;
    };
    struct Case {
        const char* what;
        std::function<void(ElementsPaieSaisie&)> change;
        const char* message; // empty: passes
        const char* focus;
    } cases[] = {
        {"every value right", [](ElementsPaieSaisie&) {}, "", ""},
        {"employer part 0,00 without charge item", [](ElementsPaieSaisie& s) { s.mutPat = "0,00"; }, "", ""},
        {"employer part 12,50 without charge item", [](ElementsPaieSaisie& s) { s.mutPat = "12,50"; }, charge,
         "Txt_ChargMutContrat"},
        {"employer part with its charge item", [](ElementsPaieSaisie& s) { s.mutPat = "12,50", s.chargeMutuelle = "080"; },
         "", ""},
        {"an amount that is no number", [](ElementsPaieSaisie& s) { s.mutSal = "1,2,3"; },
         "Le montant saisi est incorrect, veuillez le ressaisir.", "Txt_MutSalContrat"},
        {"no profile: blanks are none", [](ElementsPaieSaisie& s) { s.profil1 = "  "; }, "Le profil est obligatoire.",
         "Txt_ProfilContrat"},
        {"no payment mode", [](ElementsPaieSaisie& s) { s.modePaiement.clear(); },
         "Le mode de paiement est obligatoire.", "Cbo_ModPaieContrat"},
        {"no activity", [](ElementsPaieSaisie& s) { s.activites.clear(); }, "Au moins une activité est obligatoire.",
         "Cbo_Activite"},
        {"shares 60 + 40", [&](ElementsPaieSaisie& s) { administratif(s, {" 60,00", " 40,00"}); }, "", ""},
        {"shares 60 + 30", [&](ElementsPaieSaisie& s) { administratif(s, {" 60,00", " 30,00"}); }, total, ""},
        {"shares 33,33 + 66,67", [&](ElementsPaieSaisie& s) { administratif(s, {"33,33", "66,67"}); }, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ElementsPaieSaisie s = Valide();
        c.change(s);
        const std::optional<Refus> refus = VerifElementsPaie(s);
        EXPECT_EQ(refus ? refus->message : QString(), QString::fromUtf8(c.message));
        if (refus)
            EXPECT_EQ(refus->focus, c.focus);
    }
}

TEST(PayElementsChecks, ProfilesOfAMonthlyProductionContract) {
    const QString homeHelp = "Pour un salarié Production - Mensualisé, la saisie d'un profil comportant une rubrique "
                             "de type aide à domicile est impossible, veuillez saisir un nouveau profil.";
    ElementsPaieSaisie s = Valide();
    s.mensuel = true;
    s.lu1 = {"101", true, "1", {"010", "020"}};
    s.lu2 = {"102", true, "0", {}};
    s.chargesAideDomicile = {"020"};
    // One profile only: no profile test at all.
    EXPECT_FALSE(TestProfilsApplicable(s));
    EXPECT_EQ(VerifElementsPaie(s), std::nullopt);

    s.profil2 = "102";
    std::optional<Refus> refus = VerifElementsPaie(s);
    ASSERT_TRUE(refus);
    EXPECT_EQ(refus->message, homeHelp);
    EXPECT_EQ(refus->focus, "Txt_ProfilContrat");
    EXPECT_FALSE(refus->vider);

    s.chargesAideDomicile.clear();
    refus = VerifElementsPaie(s);
    ASSERT_TRUE(refus);
    EXPECT_EQ(refus->message, "Vous devez entrer un profil mandataire.");
    EXPECT_EQ(refus->focus, "Txt_ProfilContrat2");
    EXPECT_TRUE(refus->vider);

    s.convention = "05";
    EXPECT_EQ(VerifElementsPaie(s), std::nullopt);
}

TEST(PayElementsChecks, PayEntryItemsMustBeChargedToTheContractsActivities) {
    EXPECT_EQ(RubriqueHorsActivites({"001MEN", "001REP"}, {"001REP", "001MEN"}), std::nullopt);
    EXPECT_EQ(RubriqueHorsActivites({"001MEN", "001SOI"}, {"001MEN"}), "001SOI");
    // The items end at the first empty value.
    EXPECT_EQ(RubriqueHorsActivites({"001MEN", "", "001SOI"}, {"001MEN"}), std::nullopt);
}
