#pragma once
// A real database in a temporary directory for the data layer's tests,
// with a helper that writes records by field number.
#include "dba/database.h"
#include "support/library_fixture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <utility>

namespace data_test {

class TempDatabase {
    QTemporaryDir dir_; // first: the file outlives the session

public:
    TempDatabase() {
        EXPECT_TRUE(dir_.isValid());
        db = dba::Database::Create(dir_.filePath(QStringLiteral("test.arbel")).toStdString());
    }

    // Writes record `key` of `table` (created when missing) with the given
    // fields; a field text may hold value marks.
    void Put(const std::string& table, const std::string& key,
             std::initializer_list<std::pair<int, std::string>> fields) {
        PutRecord(db, table, key, fields);
    }

    dba::Database db;
};

// Values joined by the value mark.
using ::Values;

} // namespace data_test
