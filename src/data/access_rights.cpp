#include "data/access_rights.h"

#include "data/procedures.h"
#include "data/table_fields.h"
#include "data/tables.h"

namespace data {

namespace {

constexpr char All[] = "*";

// The user's rights record; an empty record when the user has none.
dba::Record ReadRights(const dba::Database& db, const std::string& user) {
    if (user.empty())
        return {};
    return db.OpenTable(tables::DROITSUTILISATEUR).ReadRecordOrEmpty(user);
}

int ToLevel(const std::string& text) {
    try {
        std::size_t used = 0;
        const int level = std::stoi(text, &used);
        return used == text.size() ? level : 0;
    } catch (const std::exception&) {
        return 0; // an empty or unreadable level gives no right
    }
}

} // namespace

AuthorisedList::AuthorisedList(dba::Database db, std::string user)
    : db_(std::move(db)), user_(std::move(user)) {}

void AuthorisedList::InitialiserListe() {
    const dba::Record rights = ReadRights(db_, user_);
    all_ = false;
    entities_.clear();
    for (int v = 1; v <= rights.DCount(droitsutilisateur::Entites); ++v) {
        const std::string entity = rights.Item(droitsutilisateur::Entites, v);
        if (entity == All)
            all_ = true;
        else if (!entity.empty())
            entities_.insert(entity);
    }
    loaded_ = true;
}

void AuthorisedList::EnsureLoaded() {
    if (!loaded_)
        InitialiserListe();
}

Authorisation AuthorisedList::IsAuthorised(const std::string& entity, int kind) {
    EnsureLoaded();
    if (kind != 0)
        return std::nullopt;
    if (all_)
        return true;
    if (entities_.count(entity) != 0)
        return true;
    if (entity.empty() || !db_.OpenTable(tables::ASSOCIATION).Exists(entity))
        return std::nullopt;
    return false;
}

AccessRights::AccessRights(dba::Database db, std::string user)
    : db_(std::move(db)), user_(user.empty() ? Lire_NomUtilisateur().toStdString() : std::move(user)),
      list_(std::make_shared<data::AuthorisedList>(db_, user_)) {}

RightsProfile AccessRights::GetModuleRights(const std::string& module) const {
    const dba::Record rights = ReadRights(db_, user_);
    int level = 0;
    bool found = false;
    for (int v = 1; v <= rights.DCount(droitsutilisateur::Modules); ++v) {
        const std::string code = rights.Item(droitsutilisateur::Modules, v);
        if (code == module) {
            level = ToLevel(rights.Item(droitsutilisateur::Niveaux, v));
            found = true;
            break;
        }
        if (code == All && !found)
            level = ToLevel(rights.Item(droitsutilisateur::Niveaux, v));
    }
    // A database that cannot be written (read-only file or folder, damage
    // found) makes every user a reader: the screens then offer nothing to
    // save rather than fail when saving.
    if (level == RightsProfile::FullAccess && db_.WriteRefusal())
        level = RightsProfile::FullAccess - 1;
    return RightsProfile(module, level, list_);
}

} // namespace data
