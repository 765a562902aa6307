#pragma once
// Reads a JSON Lines file of records, checking every line before anything
// is written: a bad line is reported with its number.
#include "record_json.h"

#include <string>
#include <vector>

namespace console {

struct NumberedRecord {
    int line = 0;
    RecordLine record;
};

// Lines are separated by "\n" (a "\r" before it is dropped); blank lines
// are skipped. ConsoleError "ligne N : ..." for the first bad line, or a
// record (table, key) that appears twice.
std::vector<NumberedRecord> ReadRecordLines(const std::string& path);

} // namespace console
