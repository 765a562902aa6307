#pragma once
// Reads a JSON Lines file of records, checking every line before anything
// is written: a bad line is reported with its number.
#include "record_json.h"

#include <string>
#include <string_view>
#include <vector>

namespace console {

// A line that is not the one JSON value it should be; the column (from 1)
// is the byte where the parser stopped.
class JsonLineError : public std::runtime_error {
public:
    JsonLineError(const std::string& message, std::size_t column)
        : std::runtime_error(message), column_(column) {}
    std::size_t column() const noexcept { return column_; }

private:
    std::size_t column_;
};

// Parses exactly one JSON value (surrounding blanks allowed). Strict on
// purpose, since imported data feeds payroll: anything doubtful (bad
// UTF-8, lone surrogates, a member given twice, trailing text, control
// characters inside strings, nesting past 64 levels) is refused with a
// French message rather than guessed at.
Json ParseJsonLine(std::string_view line);

struct NumberedRecord {
    int line = 0;
    RecordLine record;
};

// Lines are separated by "\n" (a "\r" before it is dropped); blank lines
// are skipped. ConsoleError "ligne N : ..." for the first bad line, or a
// record (table, key) that appears twice. A path that names a folder is
// refused.
std::vector<NumberedRecord> ReadRecordLines(const std::string& path);

// The line `export` ends its output with when it could not finish, so that
// a redirected output is never taken for a whole export.
inline constexpr std::string_view IncompleteExportMark = "# EXPORT INCOMPLET";

} // namespace console
