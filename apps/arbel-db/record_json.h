#pragma once
// The JSON form of records, shared by export, import, `show --json` and
// `query --json`. A field is a string when it holds one value without
// subvalues, otherwise an array with one element per value; an element is
// a string, or an array of strings when that value holds subvalues.
#include "json_value.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace console {

// A record line that cannot be imported; the message says why.
class RecordLineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

JsonValue FieldToJson(std::string_view fieldText);
// Field text (with its value and subvalue marks) from its JSON form;
// RecordLineError for anything else than the forms above.
std::string FieldFromJson(const JsonValue& value, const std::string& fieldName);

// {"table":T,"key":K,"fields":{...}}. Empty fields are left out, except that
// trailing empty fields are kept by naming the last one with "", so that
// reading the line back gives the same record text byte for byte.
JsonValue RecordToJson(const std::string& table, const std::string& key, std::string_view recordText);

struct RecordLine {
    std::string table, key;
    std::string text; // fields 1..n joined by FM
};
RecordLine RecordFromJson(const JsonValue& line);

} // namespace console
