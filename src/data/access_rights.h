#pragma once
// The users' access rights, kept in table DROITSUTILISATEUR so that a site
// sets them without rebuilding anything. One record per user (key: the user
// name as Lire_NomUtilisateur gives it, or whatever name the host chooses):
//   field 1  module codes ("DOSAIDECONTRAT", "DOSSIERAIDE", ...; "*" = any
//            module not listed), one value each
//   field 2  access level of each module, in step with field 1 (2 = may
//            change data; other values: read only)
//   field 3  legal-entity codes (ASSOCIATION keys) whose helpers the user
//            may see; "*" = every entity
// A user without a record has no rights: level 0 everywhere, no entity.
#include "dba/database.h"

#include <memory>
#include <optional>
#include <set>
#include <string>

namespace data {

// Answer of IsAuthorised: true, false, or nullopt ("Null": the entity is
// unknown to the rights); Null counts as not authorised.
using Authorisation = std::optional<bool>;

// The entities a user may see, loaded from the rights table.
class AuthorisedList {
public:
    AuthorisedList(dba::Database db, std::string user);
    // (Re)loads the user's authorised entities from the table; done before
    // each search that filters by entity, so a change made meanwhile counts.
    void InitialiserListe();
    // `kind` 0 asks about a legal entity (an ASSOCIATION key); other kinds
    // are not handled and answer Null. True when the user has "*" or the
    // entity in its list; false for a known entity not in the list; Null
    // for an entity unknown to ASSOCIATION (or empty) when the user is
    // limited to some entities.
    Authorisation IsAuthorised(const std::string& entity, int kind);
    bool AllEntities() const { return all_; }

private:
    void EnsureLoaded();
    dba::Database db_;
    std::string user_;
    bool loaded_ = false;
    bool all_ = false;
    std::set<std::string> entities_;
};

// The rights of one user for one module.
class RightsProfile {
public:
    RightsProfile(std::string module, int level, std::shared_ptr<data::AuthorisedList> list)
        : module_(std::move(module)), level_(level), list_(std::move(list)) {}
    const std::string& Module() const { return module_; }
    int AccessLevel() const { return level_; }
    bool MayChangeData() const { return level_ == FullAccess; }
    data::AuthorisedList& AuthorisedList() const { return *list_; }
    Authorisation IsAuthorised(const std::string& entity, int kind) const {
        return list_->IsAuthorised(entity, kind);
    }

    static constexpr int FullAccess = 2;

private:
    std::string module_;
    int level_;
    std::shared_ptr<data::AuthorisedList> list_;
};

// The rights object a host hands to the control (DroitsUtilisateur).
class AccessRights {
public:
    // `user`: empty means the operating-system user (Lire_NomUtilisateur).
    AccessRights(dba::Database db, std::string user = {});
    const std::string& User() const { return user_; }
    // Reads the user's record now: a change in the table counts from the
    // next call. An unknown module gets the level of "*", else 0. On a
    // database that refuses writes (Database::WriteRefusal) full access
    // reads as read-only access.
    RightsProfile GetModuleRights(const std::string& module) const;

private:
    dba::Database db_;
    std::string user_;
    std::shared_ptr<data::AuthorisedList> list_;
};

} // namespace data
