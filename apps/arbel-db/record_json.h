#pragma once
// The JSON form of records, shared by export, import, `show --json` and
// `query --json`. A field is a string when it holds one value without
// subvalues, otherwise an array with one element per value; an element is
// a string, or an array of strings when that value holds subvalues.
#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>
#include <string_view>

namespace console {

// Members keep the order they were added in: table, key, fields.
using Json = nlohmann::ordered_json;

// A record line that cannot be imported; the message says why.
class RecordLineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

Json FieldToJson(std::string_view fieldText);
// Field text (with its value and subvalue marks) from its JSON form;
// RecordLineError for anything else than the forms above, or a text
// holding NUL.
std::string FieldFromJson(const Json& value, const std::string& fieldName);

// {"table":T,"key":K,"fields":{...}}. Empty fields are left out, except that
// trailing empty fields are kept by naming the last one with "", so that
// reading the line back gives the same record text byte for byte.
Json RecordToJson(const std::string& table, const std::string& key, std::string_view recordText);

struct RecordLine {
    std::string table, key;
    std::string text; // fields 1..n joined by FM
};
RecordLine RecordFromJson(const Json& line);

// Compact form on one line; non-ASCII characters are written as UTF-8 and
// control characters escaped. ConsoleError when a text is not UTF-8.
std::string WriteJson(const Json& value);

} // namespace console
