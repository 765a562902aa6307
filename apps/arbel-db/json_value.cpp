#include "json_value.h"

#include <cstdint>

namespace console {

JsonValue JsonValue::Bool(bool b) {
    JsonValue v;
    v.type_ = Type::Bool;
    v.text_ = b ? "true" : "false";
    return v;
}

JsonValue JsonValue::Number(std::string literal) {
    JsonValue v;
    v.type_ = Type::Number;
    v.text_ = std::move(literal);
    return v;
}

JsonValue JsonValue::String(std::string text) {
    JsonValue v;
    v.type_ = Type::String;
    v.text_ = std::move(text);
    return v;
}

JsonValue JsonValue::Array(std::vector<JsonValue> items) {
    JsonValue v;
    v.type_ = Type::Array;
    v.items_ = std::move(items);
    return v;
}

JsonValue JsonValue::Object(Members members) {
    JsonValue v;
    v.type_ = Type::Object;
    v.members_ = std::move(members);
    return v;
}

const JsonValue* JsonValue::Find(std::string_view name) const {
    for (const auto& [n, v] : members_)
        if (n == name)
            return &v;
    return nullptr;
}

void JsonValue::Add(std::string name, JsonValue value) {
    members_.emplace_back(std::move(name), std::move(value));
}

void JsonValue::Append(JsonValue item) {
    items_.push_back(std::move(item));
}

const char* JsonValue::TypeName(Type type) {
    switch (type) {
    case Type::Null:
        return "null";
    case Type::Bool:
        return "booléen";
    case Type::Number:
        return "nombre";
    case Type::String:
        return "texte";
    case Type::Array:
        return "tableau";
    case Type::Object:
        return "objet";
    }
    return "?";
}

namespace {

// Length of the UTF-8 sequence starting at text[i], or 0 when it is not a
// well-formed one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b0 = byte(i);
    if (b0 < 0x80)
        return 1;
    std::size_t length;
    std::uint32_t min, cp;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, min = 0x80, cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, min = 0x800, cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, min = 0x10000, cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    JsonValue ParseDocument() {
        SkipBlanks();
        JsonValue v = ParseValue(0);
        SkipBlanks();
        if (pos_ != text_.size())
            Fail("texte en trop après la valeur JSON");
        return v;
    }

private:
    static constexpr int MaxDepth = 64;

    [[noreturn]] void Fail(const std::string& message) const { throw JsonError(message, pos_ + 1); }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

    void SkipBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r'))
            ++pos_;
    }

    void Expect(char c) {
        if (Peek() != c || AtEnd())
            Fail(std::string("« ") + c + " » attendu");
        ++pos_;
    }

    JsonValue ParseValue(int depth) {
        if (depth > MaxDepth)
            Fail("imbrication trop profonde");
        if (AtEnd())
            Fail("valeur attendue, fin du texte");
        switch (Peek()) {
        case '{':
            return ParseObject(depth);
        case '[':
            return ParseArray(depth);
        case '"':
            return JsonValue::String(ParseString());
        case 't':
            ParseWord("true");
            return JsonValue::Bool(true);
        case 'f':
            ParseWord("false");
            return JsonValue::Bool(false);
        case 'n':
            ParseWord("null");
            return JsonValue();
        default:
            if (Peek() == '-' || (Peek() >= '0' && Peek() <= '9'))
                return ParseNumber();
            Fail("valeur JSON attendue");
        }
    }

    void ParseWord(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word)
            Fail("valeur JSON attendue");
        pos_ += word.size();
    }

    JsonValue ParseNumber() {
        const std::size_t start = pos_;
        const auto digits = [&] {
            const std::size_t from = pos_;
            while (!AtEnd() && Peek() >= '0' && Peek() <= '9')
                ++pos_;
            return pos_ - from;
        };
        if (Peek() == '-')
            ++pos_;
        if (Peek() == '0') {
            ++pos_;
        } else if (digits() == 0) {
            Fail("nombre mal formé");
        }
        if (Peek() == '.') {
            ++pos_;
            if (digits() == 0)
                Fail("nombre mal formé");
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++pos_;
            if (Peek() == '+' || Peek() == '-')
                ++pos_;
            if (digits() == 0)
                Fail("nombre mal formé");
        }
        return JsonValue::Number(std::string(text_.substr(start, pos_ - start)));
    }

    unsigned ParseHex4() {
        unsigned value = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = Peek();
            unsigned digit;
            if (c >= '0' && c <= '9')
                digit = static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                digit = static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                digit = static_cast<unsigned>(c - 'A' + 10);
            else
                Fail("échappement \\u mal formé");
            value = value * 16 + digit;
            ++pos_;
        }
        return value;
    }

    std::string ParseString() {
        Expect('"');
        std::string out;
        for (;;) {
            if (AtEnd())
                Fail("texte non terminé");
            const unsigned char c = static_cast<unsigned char>(Peek());
            if (c == '"') {
                ++pos_;
                return out;
            }
            if (c < 0x20)
                Fail("caractère de contrôle dans un texte");
            if (c == '\\') {
                ++pos_;
                const char e = Peek();
                if (AtEnd())
                    Fail("texte non terminé");
                ++pos_;
                switch (e) {
                case '"':
                    out += '"';
                    break;
                case '\\':
                    out += '\\';
                    break;
                case '/':
                    out += '/';
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    std::uint32_t cp = ParseHex4();
                    if (cp >= 0xDC00 && cp <= 0xDFFF)
                        Fail("surrogate UTF-16 isolé");
                    if (cp >= 0xD800 && cp <= 0xDBFF) {
                        if (text_.substr(pos_, 2) != "\\u")
                            Fail("surrogate UTF-16 isolé");
                        pos_ += 2;
                        const std::uint32_t low = ParseHex4();
                        if (low < 0xDC00 || low > 0xDFFF)
                            Fail("surrogate UTF-16 isolé");
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    }
                    AppendUtf8(out, cp);
                    break;
                }
                default:
                    --pos_;
                    Fail("échappement inconnu");
                }
                continue;
            }
            const std::size_t length = Utf8SequenceLength(text_, pos_);
            if (length == 0)
                Fail("texte qui n'est pas de l'UTF-8 valide");
            out.append(text_.substr(pos_, length));
            pos_ += length;
        }
    }

    JsonValue ParseArray(int depth) {
        Expect('[');
        JsonValue array = JsonValue::Array();
        SkipBlanks();
        if (Peek() == ']') {
            ++pos_;
            return array;
        }
        for (;;) {
            SkipBlanks();
            array.Append(ParseValue(depth + 1));
            SkipBlanks();
            if (Peek() == ']' && !AtEnd()) {
                ++pos_;
                return array;
            }
            Expect(',');
        }
    }

    JsonValue ParseObject(int depth) {
        Expect('{');
        JsonValue object = JsonValue::Object();
        SkipBlanks();
        if (Peek() == '}') {
            ++pos_;
            return object;
        }
        for (;;) {
            SkipBlanks();
            const std::size_t namePos = pos_;
            if (Peek() != '"')
                Fail("nom de membre attendu");
            std::string name = ParseString();
            if (object.Find(name)) {
                pos_ = namePos;
                Fail("membre « " + name + " » en double");
            }
            SkipBlanks();
            Expect(':');
            SkipBlanks();
            JsonValue value = ParseValue(depth + 1);
            object.Add(std::move(name), std::move(value));
            SkipBlanks();
            if (Peek() == '}' && !AtEnd()) {
                ++pos_;
                return object;
            }
            Expect(',');
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

void WriteString(std::string& out, const std::string& text) {
    if (!IsUtf8(text))
        throw JsonError("texte qui n'est pas de l'UTF-8 valide", 0);
    static const char* hex = "0123456789abcdef";
    out += '"';
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 0xF];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

void Write(std::string& out, const JsonValue& value) {
    switch (value.type()) {
    case JsonValue::Type::Null:
        out += "null";
        break;
    case JsonValue::Type::Bool:
    case JsonValue::Type::Number:
        out += value.text();
        break;
    case JsonValue::Type::String:
        WriteString(out, value.text());
        break;
    case JsonValue::Type::Array: {
        out += '[';
        bool first = true;
        for (const auto& item : value.items()) {
            if (!first)
                out += ',';
            first = false;
            Write(out, item);
        }
        out += ']';
        break;
    }
    case JsonValue::Type::Object: {
        out += '{';
        bool first = true;
        for (const auto& [name, member] : value.members()) {
            if (!first)
                out += ',';
            first = false;
            WriteString(out, name);
            out += ':';
            Write(out, member);
        }
        out += '}';
        break;
    }
    }
}

} // namespace

JsonValue ParseJson(std::string_view text) {
    return Parser(text).ParseDocument();
}

std::string WriteJson(const JsonValue& value) {
    std::string out;
    Write(out, value);
    return out;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

} // namespace console
