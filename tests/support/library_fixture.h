#pragma once
// A real database in a temporary directory, with the library's tables and
// dictionaries installed and the few records every screen needs (settings,
// pay period, users). Records are written by field number.
//
//   LibraryDatabase lib;                  // pay period 202611, users "plein" and "lecture"
//   lib.Put("CIVILAIDANT", "50001", {{2, "MARTIN"}, {3, "Jeanne"}, {31, "001"}});
#include "dba/database.h"

#include <QTemporaryDir>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// An empty database in a temporary directory: no table yet.
class TempDatabase {
    QTemporaryDir dir_; // first: the file outlives the session

public:
    TempDatabase();

    // Writes record `key` of `table` (created when missing); a field text
    // may hold value marks (see Values).
    void Put(const std::string& table, const std::string& key,
             std::initializer_list<std::pair<int, std::string>> fields);
    // A second session on the same file, as another workstation would open.
    dba::Database OpenAnotherSession() const;
    std::string Path() const;

    dba::Database db;
};

class LibraryDatabase : public TempDatabase {
public:
    LibraryDatabase();

    // A user of the rights table: level per module for "DOSAIDECONTRAT" and
    // "DOSSIERAIDE", and the entities it may see ("*" = all).
    void PutUser(const std::string& user, int level, const std::vector<std::string>& entities);
};

// Writes record `key` of `table` (created when missing) with the given
// fields, in a database of any shape.
void PutRecord(dba::Database& db, const std::string& table, const std::string& key,
               std::initializer_list<std::pair<int, std::string>> fields);

// Values joined by the value mark.
std::string Values(std::initializer_list<std::string> values);
// The day number of "dd/mm/yyyy".
std::string Day(const char* date);
