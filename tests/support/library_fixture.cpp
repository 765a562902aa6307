#include "library_fixture.h"

#include "data/dates.h"
#include "data/dictionaries.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "dba/dynarray.h"

#include <gtest/gtest.h>

TempDatabase::TempDatabase() {
    EXPECT_TRUE(dir_.isValid());
    db = dba::Database::Create(Path());
}

LibraryDatabase::LibraryDatabase() {
    data::InstallDictionaries(db);
    Put(data::tables::COMPTEUR, data::tables::keys::Compteur, {{1, "0"}});
    Put(data::tables::PERIODESPAIE, data::tables::keys::PeriodesPaie, {{1, "202611"}, {2, "202612"}});
    PutUser("plein", 2, {"*"});
    PutUser("lecture", 1, {"*"});
}

std::string TempDatabase::Path() const {
    return dir_.filePath(QStringLiteral("test.arbel")).toStdString();
}

dba::Database TempDatabase::OpenAnotherSession() const {
    return dba::Database::Open(Path());
}

void TempDatabase::Put(const std::string& table, const std::string& key,
                       std::initializer_list<std::pair<int, std::string>> fields) {
    PutRecord(db, table, key, fields);
}

void PutRecord(dba::Database& db, const std::string& table, const std::string& key,
               std::initializer_list<std::pair<int, std::string>> fields) {
    db.CreateTable(table);
    dba::Record r = db.OpenTable(table).NewRecord(key);
    for (const auto& [f, v] : fields)
        r.SetItem(f, v);
    r.DBWrite();
}

void LibraryDatabase::PutUser(const std::string& user, int level, const std::vector<std::string>& entities) {
    const std::string l = std::to_string(level);
    Put(data::tables::DROITSUTILISATEUR, user,
        {{data::droitsutilisateur::Modules, Values({"DOSAIDECONTRAT", "DOSSIERAIDE"})},
         {data::droitsutilisateur::Niveaux, Values({l, l})},
         {data::droitsutilisateur::Entites, dba::Join(entities, dba::VM)}});
}

std::string Values(std::initializer_list<std::string> values) {
    return dba::Join(values, dba::VM);
}

std::string Day(const char* date) {
    return data::dates::DateToInternal(QString::fromLatin1(date)).toStdString();
}
