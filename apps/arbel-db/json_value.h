#pragma once
// A small strict JSON reader and writer for the console's JSON Lines.
// Strict on purpose: imported data feeds payroll, so anything doubtful
// (bad UTF-8, lone surrogates, duplicate members, trailing text, control
// characters inside strings) is refused rather than guessed at.
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace console {

class JsonError : public std::runtime_error {
public:
    JsonError(const std::string& message, std::size_t column)
        : std::runtime_error(message), column_(column) {}
    // 1-based byte column of the offending character in the parsed text.
    std::size_t column() const noexcept { return column_; }

private:
    std::size_t column_;
};

class JsonValue {
public:
    enum class Type { Null, Bool, Number, String, Array, Object };
    using Members = std::vector<std::pair<std::string, JsonValue>>;

    JsonValue() = default;
    static JsonValue Bool(bool b);
    static JsonValue Number(std::string literal); // kept as written
    static JsonValue String(std::string text);
    static JsonValue Array(std::vector<JsonValue> items = {});
    static JsonValue Object(Members members = {});

    Type type() const { return type_; }
    bool isString() const { return type_ == Type::String; }
    bool isArray() const { return type_ == Type::Array; }
    bool isObject() const { return type_ == Type::Object; }
    // String text, number literal, or "true"/"false".
    const std::string& text() const { return text_; }
    const std::vector<JsonValue>& items() const { return items_; }
    const Members& members() const { return members_; }
    // The member named `name`, or nullptr.
    const JsonValue* Find(std::string_view name) const;

    // Object members are written in the order they were added.
    void Add(std::string name, JsonValue value);
    void Append(JsonValue item);

    static const char* TypeName(Type type);

private:
    Type type_ = Type::Null;
    std::string text_;
    std::vector<JsonValue> items_;
    Members members_;
};

// Parses exactly one JSON value (surrounding blanks allowed); JsonError
// otherwise. Object members must be unique.
JsonValue ParseJson(std::string_view text);

// Compact form on one line; non-ASCII characters are written as UTF-8.
// Throws JsonError when a string is not valid UTF-8.
std::string WriteJson(const JsonValue& value);

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view text);

} // namespace console
