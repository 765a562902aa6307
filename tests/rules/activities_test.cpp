#include "rules/activities.h"
#include "rules/profile_choice.h"

#include <gtest/gtest.h>

using namespace rules;

TEST(Activities, QueryFollowsStatusAndAgreementOnTheEntitysCodes) {
    EXPECT_EQ(RequeteActivites(true, "02", "001"), "SSELECT ACTIVITES AVEC 0 = \"001]\" PAR 1");
    EXPECT_EQ(RequeteActivites(false, "05", "001"), "SSELECT ACTIVITES AVEC 0 = \"001]\" AND AVEC 12 <> \"M\" PAR 1");
    EXPECT_EQ(RequeteActivites(false, "02", "001"), "SSELECT ACTIVITES AVEC 0 = \"001]\" AND AVEC 12 = \"M\" PAR 1");
}

TEST(Activities, AProductionContractKeepsToOneType) {
    EXPECT_TRUE(ActiviteAdmise("", 0, "P"));
    EXPECT_TRUE(ActiviteAdmise("P", 2, "P"));
    EXPECT_FALSE(ActiviteAdmise("P", 1, "S"));
    // Its last activity removed, any type may come.
    EXPECT_TRUE(ActiviteAdmise("", 0, "S"));
}

TEST(Activities, SharesAreReadExactlyAndZeroAddsNothing) {
    struct Case {
        const char* typed;
        std::optional<long long> share;
    } cases[] = {{"50", 5000}, {"12,5", 1250}, {"33.33", 3333}, {"0,01", 1},
                 {"0", std::nullopt}, {"0,00", std::nullopt}, {"", std::nullopt},
                 {"1,234", std::nullopt}, {"1a", std::nullopt}, {",5", 50}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(PartSaisie(c.typed), c.share);
    }
}

TEST(Activities, TelemanagementRefusesInOrder) {
    const TelegestionSaisie complete{"001", "02", "00100", 1};
    EXPECT_EQ(RefusTelegestion(complete), std::nullopt);
    TelegestionSaisie s = complete;
    s.activites = 0;
    EXPECT_EQ(RefusTelegestion(s), "Vous devez renseigner les activités du contrat.");
    s.employeur.clear();
    EXPECT_EQ(RefusTelegestion(s), "Vous devez renseigner l'employeur sur l'onglet 'Origine'.");
    s.convention.clear();
    EXPECT_EQ(RefusTelegestion(s), "Vous devez renseigner la convention sur l'onglet 'Origine'.");
    s.entite.clear();
    EXPECT_EQ(RefusTelegestion(s), "Vous devez renseigner l'association sur l'onglet 'Origine'.");
}

TEST(ProfileChoice, RefusalsForEachBoxAndKind) {
    const QString equalFirst = "Les 2 profils doivent être differents, veuillez ressaisir le premier.";
    const QString equalSecond = "Les 2 profils doivent être differents, veuillez ressaisir le deuxième.";
    const QString notAgent = "Ce profil n'est pas un profil mandataire, veuillez en choisir un autre.";
    const QString otherAgreement =
        "Ce profil ne peut être saisi car il n'est pas en relation avec la convention collective sélectionnée.";
    struct Case {
        const char* what;
        ProfilSaisi saisie;
        QString message; // empty: accepted
        const char* focus;
    } cases[] = {
        {"agent profile under 02", {"101", "102", true, true, true, "02"}, {}, ""},
        {"same as the second, typed in the first", {"101", "101", true, true, true, "02"}, equalFirst,
         "Txt_ProfilContrat"},
        {"same as the first, typed in the second", {"101", "101", false, true, true, "02"}, equalSecond,
         "Txt_ProfilContrat2"},
        {"not an agent profile under 02", {"201", "", true, true, false, "02"}, notAgent, "Txt_ProfilContrat"},
        {"agent profile under another agreement", {"101", "", false, true, true, "05"}, otherAgreement,
         "Txt_ProfilContrat2"},
        {"ordinary profile under another agreement", {"201", "", true, true, false, "05"}, {}, ""},
        {"unknown", {"999", "", true, false, false, "02"}, "Ce profil n'existe pas.", "Txt_ProfilContrat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<Refus> refus = VerifProfil(c.saisie);
        EXPECT_EQ(refus ? refus->message : QString(), c.message);
        if (refus)
            EXPECT_EQ(refus->focus, c.focus);
    }
}
