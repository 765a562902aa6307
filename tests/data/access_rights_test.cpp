#include "data/access_rights.h"
#include "data/dictionaries.h"
#include "data/procedures.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "support/library_fixture.h"

#include <gtest/gtest.h>

namespace f = data::droitsutilisateur;

namespace {

struct RightsDatabase : TempDatabase {
    RightsDatabase() {
        data::InstallDictionaries(db);
        for (const char* entity : {"001", "002", "003"})
            Put(data::tables::ASSOCIATION, entity, {{1, std::string("Entité ") + entity}});
        Put(data::tables::DROITSUTILISATEUR, "marie",
            {{f::Modules, Values({"DOSAIDECONTRAT", "DOSSIERAIDE"})},
             {f::Niveaux, Values({"2", "1"})},
             {f::Entites, Values({"001", "003"})}});
        Put(data::tables::DROITSUTILISATEUR, "admin",
            {{f::Modules, Values({"*"})}, {f::Niveaux, Values({"2"})}, {f::Entites, Values({"*"})}});
        Put(data::tables::DROITSUTILISATEUR, "lecteur",
            {{f::Modules, Values({"*", "DOSAIDECONTRAT"})},
             {f::Niveaux, Values({"1", "2"})},
             {f::Entites, Values({"002"})}});
    }
};

} // namespace

TEST(AccessRights, LevelsPerModule) {
    RightsDatabase t;
    struct Case {
        const char* user;
        const char* module;
        int level;
    } cases[] = {
        {"marie", "DOSAIDECONTRAT", 2}, {"marie", "DOSSIERAIDE", 1},      {"marie", "AUTRE", 0},
        {"admin", "DOSAIDECONTRAT", 2}, {"admin", "DOSSIERAIDE", 2},      {"lecteur", "DOSAIDECONTRAT", 2},
        {"lecteur", "DOSSIERAIDE", 1},  {"inconnu", "DOSAIDECONTRAT", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.user) + " " + c.module);
        data::AccessRights rights(t.db, c.user);
        const data::RightsProfile profile = rights.GetModuleRights(c.module);
        EXPECT_EQ(profile.AccessLevel(), c.level);
        EXPECT_EQ(profile.MayChangeData(), c.level == 2);
    }
}

TEST(AccessRights, ADatabaseThatRefusesWritesMakesEveryoneAReader) {
    RightsDatabase t;
    const dba::Database readOnly = dba::Database::OpenReadOnly(t.Path());
    ASSERT_TRUE(readOnly.WriteRefusal());
    struct Case {
        const char* user;
        const char* module;
        int level;
    } cases[] = {
        {"marie", "DOSAIDECONTRAT", 1}, {"admin", "DOSSIERAIDE", 1}, {"marie", "DOSSIERAIDE", 1},
        {"marie", "AUTRE", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.user) + " " + c.module);
        const data::RightsProfile profile = data::AccessRights(readOnly, c.user).GetModuleRights(c.module);
        EXPECT_EQ(profile.AccessLevel(), c.level);
        EXPECT_FALSE(profile.MayChangeData());
    }
}

TEST(AccessRights, AuthorisedEntities) {
    RightsDatabase t;
    using A = data::Authorisation;
    struct Case {
        const char* user;
        const char* entity;
        A expected;
    } cases[] = {
        {"marie", "001", true},         {"marie", "003", true},      {"marie", "002", false},
        {"marie", "999", std::nullopt}, {"marie", "", std::nullopt}, {"admin", "002", true},
        {"admin", "999", true},         {"inconnu", "001", false},   {"inconnu", "999", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.user) + " " + c.entity);
        data::AccessRights rights(t.db, c.user);
        data::RightsProfile profile = rights.GetModuleRights("DOSAIDECONTRAT");
        profile.AuthorisedList().InitialiserListe();
        EXPECT_EQ(profile.IsAuthorised(c.entity, 0), c.expected);
    }
    data::AccessRights admin(t.db, "admin");
    EXPECT_EQ(admin.GetModuleRights("DOSAIDECONTRAT").IsAuthorised("001", 1), std::nullopt)
        << "only legal entities (kind 0) are known";
}

TEST(AccessRights, InitialiserListeReloadsTheTable) {
    RightsDatabase t;
    data::AccessRights rights(t.db, "marie");
    data::RightsProfile profile = rights.GetModuleRights("DOSAIDECONTRAT");
    EXPECT_EQ(profile.IsAuthorised("002", 0), false); // loaded on first use

    t.Put(data::tables::DROITSUTILISATEUR, "marie",
          {{f::Modules, Values({"DOSAIDECONTRAT"})},
           {f::Niveaux, Values({"2"})},
           {f::Entites, Values({"002"})}});
    EXPECT_EQ(profile.IsAuthorised("002", 0), false) << "the list is kept until reloaded";
    profile.AuthorisedList().InitialiserListe();
    EXPECT_EQ(profile.IsAuthorised("002", 0), true);
    EXPECT_EQ(profile.IsAuthorised("001", 0), false);
    // Profiles of the same rights object share the list.
    EXPECT_EQ(rights.GetModuleRights("DOSSIERAIDE").IsAuthorised("002", 0), true);
}

TEST(AccessRights, DefaultUserIsTheOperatingSystemUser) {
    RightsDatabase t;
    const std::string user = data::AccessRights(t.db).User();
    EXPECT_FALSE(user.empty());
    EXPECT_EQ(user, data::Lire_NomUtilisateur().toStdString());
    EXPECT_EQ(user.find('\0'), std::string::npos);
}
