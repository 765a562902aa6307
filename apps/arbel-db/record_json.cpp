#include "record_json.h"

#include "dba/dynarray.h"

#include <map>

namespace console {

namespace {

constexpr int MaxFieldNumber = 9999;

JsonValue ValueToJson(std::string_view value) {
    if (value.find(dba::SM) == std::string_view::npos)
        return JsonValue::String(std::string(value));
    JsonValue subvalues = JsonValue::Array();
    for (auto& s : dba::Split(value, dba::SM))
        subvalues.Append(JsonValue::String(std::move(s)));
    return subvalues;
}

std::string ValueFromJson(const JsonValue& value, const std::string& fieldName) {
    if (value.isString())
        return value.text();
    if (!value.isArray())
        throw RecordLineError("champ " + fieldName +
                              " : une valeur doit être un texte ou un tableau de textes, pas " +
                              JsonValue::TypeName(value.type()));
    std::vector<std::string> subvalues;
    for (const auto& s : value.items()) {
        if (!s.isString())
            throw RecordLineError("champ " + fieldName + " : une sous-valeur doit être un texte, pas " +
                                  JsonValue::TypeName(s.type()));
        subvalues.push_back(s.text());
    }
    return dba::Join(subvalues, dba::SM);
}

// Field names are the decimal numbers 1..MaxFieldNumber without leading zeros,
// so that "7" and "07" cannot both name field 7.
int ParseFieldNumber(const std::string& name) {
    const bool digits = !name.empty() && name.size() <= 4 && name[0] != '0' &&
                        name.find_first_not_of("0123456789") == std::string::npos;
    if (!digits)
        throw RecordLineError("nom de champ « " + name + " » invalide (attendu : un numéro de 1 à " +
                              std::to_string(MaxFieldNumber) + ")");
    return std::stoi(name);
}

} // namespace

JsonValue FieldToJson(std::string_view fieldText) {
    if (fieldText.find(dba::VM) == std::string_view::npos &&
        fieldText.find(dba::SM) == std::string_view::npos)
        return JsonValue::String(std::string(fieldText));
    JsonValue values = JsonValue::Array();
    for (const auto& v : dba::Split(fieldText, dba::VM))
        values.Append(ValueToJson(v));
    return values;
}

std::string FieldFromJson(const JsonValue& value, const std::string& fieldName) {
    if (value.isString())
        return value.text();
    if (!value.isArray())
        throw RecordLineError("champ " + fieldName + " : attendu un texte ou un tableau de valeurs, pas " +
                              JsonValue::TypeName(value.type()));
    std::vector<std::string> values;
    for (const auto& v : value.items())
        values.push_back(ValueFromJson(v, fieldName));
    return dba::Join(values, dba::VM);
}

JsonValue RecordToJson(const std::string& table, const std::string& key, std::string_view recordText) {
    JsonValue fields = JsonValue::Object();
    const int count = dba::CountParts(recordText, dba::FM);
    for (int f = 1; f <= count; ++f) {
        const std::string text = dba::Extract(recordText, f);
        if (!text.empty() || f == count)
            fields.Add(std::to_string(f), FieldToJson(text));
    }
    JsonValue line = JsonValue::Object();
    line.Add("table", JsonValue::String(table));
    line.Add("key", JsonValue::String(key));
    line.Add("fields", std::move(fields));
    return line;
}

RecordLine RecordFromJson(const JsonValue& line) {
    if (!line.isObject())
        throw RecordLineError(std::string("une ligne doit être un objet JSON, pas ") +
                              JsonValue::TypeName(line.type()));
    for (const auto& [name, value] : line.members())
        if (name != "table" && name != "key" && name != "fields")
            throw RecordLineError("membre « " + name + " » inconnu (attendus : table, key, fields)");
    RecordLine record;
    for (const char* name : {"table", "key"}) {
        const JsonValue* member = line.Find(name);
        if (!member)
            throw RecordLineError(std::string("membre « ") + name + " » manquant");
        if (!member->isString() || member->text().empty())
            throw RecordLineError(std::string("membre « ") + name + " » : attendu un texte non vide");
        (std::string_view(name) == "table" ? record.table : record.key) = member->text();
    }
    const JsonValue* fields = line.Find("fields");
    if (!fields)
        throw RecordLineError("membre « fields » manquant");
    if (!fields->isObject())
        throw RecordLineError("membre « fields » : attendu un objet");
    // Written in field order whatever the order of the members.
    std::map<int, std::string> byNumber;
    for (const auto& [name, value] : fields->members())
        byNumber[ParseFieldNumber(name)] = FieldFromJson(value, name);
    for (const auto& [number, text] : byNumber)
        dba::Replace(record.text, number, 0, 0, text);
    return record;
}

} // namespace console
