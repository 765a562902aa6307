#pragma once
// Moving a whole database to a new one, on either storage.
#include "dba/database.h"

#include <string>

namespace dba {

struct CopyCount {
    long long records = 0;
    int tables = 0;
};

// Creates the database `target` (StorageError if it exists) and copies into
// it every table, dictionary entry, record and index of `source`, as seen
// at one instant. All of it lands in one transaction: a failed copy leaves
// the target empty. Indexes are built after the records.
CopyCount CopyDatabase(const Database& source, const std::string& target);

} // namespace dba
