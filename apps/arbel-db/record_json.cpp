#include "record_json.h"

#include "console_errors.h"

#include "dba/dynarray.h"
#include "dba/errors.h"

#include <map>
#include <optional>

namespace console {

namespace {

constexpr int MaxFieldNumber = 9999;

const char* TypeName(const Json& value) {
    switch (value.type()) {
    case Json::value_t::null:
        return "null";
    case Json::value_t::boolean:
        return "booléen";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float:
        return "nombre";
    case Json::value_t::string:
        return "texte";
    case Json::value_t::array:
        return "tableau";
    case Json::value_t::object:
        return "objet";
    default:
        return "?";
    }
}

// A text of the line, which JSON may give with NUL ("\u0000") where no
// command could name it afterwards.
const std::string& TextOf(const Json& value, const std::string& where) {
    const std::string& text = value.get_ref<const std::string&>();
    if (std::optional<dba::BadByte> bad = dba::FindBadByte(text, 3))
        throw RecordLineError(where + " : " + bad->what + " à l'octet " + std::to_string(bad->offset));
    return text;
}

Json ValueToJson(std::string_view value) {
    if (value.find(dba::SM) == std::string_view::npos)
        return std::string(value);
    Json subvalues = Json::array();
    for (auto& s : dba::Split(value, dba::SM))
        subvalues.push_back(std::move(s));
    return subvalues;
}

std::string ValueFromJson(const Json& value, const std::string& fieldName) {
    if (value.is_string())
        return TextOf(value, "champ " + fieldName);
    if (!value.is_array())
        throw RecordLineError("champ " + fieldName +
                              " : une valeur doit être un texte ou un tableau de textes, pas " + TypeName(value));
    std::vector<std::string> subvalues;
    for (const auto& s : value) {
        if (!s.is_string())
            throw RecordLineError("champ " + fieldName + " : une sous-valeur doit être un texte, pas " +
                                  TypeName(s));
        subvalues.push_back(TextOf(s, "champ " + fieldName));
    }
    return dba::Join(subvalues, dba::SM);
}

// Field names are the decimal numbers 1..MaxFieldNumber without leading zeros,
// so that "7" and "07" cannot both name field 7.
int ParseFieldNumber(const std::string& name) {
    const bool digits = !name.empty() && name.size() <= 4 && name[0] != '0' &&
                        name.find_first_not_of("0123456789") == std::string::npos;
    if (!digits)
        throw RecordLineError("nom de champ « " + dba::Shown(name) + " » invalide (attendu : un numéro de 1 à " +
                              std::to_string(MaxFieldNumber) + ")");
    return std::stoi(name);
}

} // namespace

Json FieldToJson(std::string_view fieldText) {
    if (fieldText.find(dba::VM) == std::string_view::npos &&
        fieldText.find(dba::SM) == std::string_view::npos)
        return std::string(fieldText);
    Json values = Json::array();
    for (const auto& v : dba::Split(fieldText, dba::VM))
        values.push_back(ValueToJson(v));
    return values;
}

std::string FieldFromJson(const Json& value, const std::string& fieldName) {
    if (value.is_string())
        return TextOf(value, "champ " + fieldName);
    if (!value.is_array())
        throw RecordLineError("champ " + fieldName + " : attendu un texte ou un tableau de valeurs, pas " +
                              TypeName(value));
    std::vector<std::string> values;
    for (const auto& v : value)
        values.push_back(ValueFromJson(v, fieldName));
    return dba::Join(values, dba::VM);
}

Json RecordToJson(const std::string& table, const std::string& key, std::string_view recordText) {
    Json fields = Json::object();
    const int count = dba::CountParts(recordText, dba::FM);
    for (int f = 1; f <= count; ++f) {
        const std::string text = dba::Extract(recordText, f);
        if (!text.empty() || f == count)
            fields[std::to_string(f)] = FieldToJson(text);
    }
    Json line = Json::object();
    line["table"] = table;
    line["key"] = key;
    line["fields"] = std::move(fields);
    return line;
}

RecordLine RecordFromJson(const Json& line) {
    if (!line.is_object())
        throw RecordLineError(std::string("une ligne doit être un objet JSON, pas ") + TypeName(line));
    for (const auto& [name, value] : line.items())
        if (name != "table" && name != "key" && name != "fields")
            throw RecordLineError("membre « " + dba::Shown(name) + " » inconnu (attendus : table, key, fields)");
    RecordLine record;
    for (const char* name : {"table", "key"}) {
        const auto member = line.find(name);
        if (member == line.end())
            throw RecordLineError(std::string("membre « ") + name + " » manquant");
        if (!member->is_string() || member->get_ref<const std::string&>().empty())
            throw RecordLineError(std::string("membre « ") + name + " » : attendu un texte non vide");
        (std::string_view(name) == "table" ? record.table : record.key) =
            TextOf(*member, std::string("membre « ") + name + " »");
    }
    const auto fields = line.find("fields");
    if (fields == line.end())
        throw RecordLineError("membre « fields » manquant");
    if (!fields->is_object())
        throw RecordLineError("membre « fields » : attendu un objet");
    // Written in field order whatever the order of the members.
    std::map<int, std::string> byNumber;
    for (const auto& [name, value] : fields->items())
        byNumber[ParseFieldNumber(name)] = FieldFromJson(value, name);
    for (const auto& [number, text] : byNumber)
        dba::Replace(record.text, number, 0, 0, text);
    return record;
}

std::string WriteJson(const Json& value) {
    try {
        return value.dump(-1, ' ', false, Json::error_handler_t::strict);
    } catch (const nlohmann::json::type_error&) {
        throw ConsoleError("texte qui n'est pas de l'UTF-8 valide");
    }
}

} // namespace console
