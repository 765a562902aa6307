#include "jsonl_reader.h"

#include "console_errors.h"

#include "dba/dynarray.h"
#include "dba/errors.h"

#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <sys/stat.h>

namespace console {

namespace {

// A character iterator that remembers the last character the parser read,
// so that a member given twice can be placed in its line.
class TrackedChar {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    TrackedChar() = default;
    TrackedChar(const char* at, const char** last) : at_(at), last_(last) {}
    reference operator*() const {
        *last_ = at_;
        return *at_;
    }
    TrackedChar& operator++() {
        ++at_;
        return *this;
    }
    TrackedChar operator++(int) {
        TrackedChar before = *this;
        ++at_;
        return before;
    }
    bool operator==(const TrackedChar& other) const { return at_ == other.at_; }
    bool operator!=(const TrackedChar& other) const { return at_ != other.at_; }

private:
    const char* at_ = nullptr;
    const char** last_ = nullptr;
};

// The parser's English reasons, in the words of the console's messages.
std::string FrenchReason(const std::string& what) {
    static const std::pair<const char*, const char*> reasons[] = {
        {"; expected end of input", "texte en trop après la valeur JSON"},
        {"ill-formed UTF-8", "texte qui n'est pas de l'UTF-8 valide"},
        {"invalid BOM", "texte qui n'est pas de l'UTF-8 valide"},
        {"surrogate", "surrogate UTF-16 isolé"},
        {"control character", "caractère de contrôle dans un texte"},
        {"missing closing quote", "texte non terminé"},
        {"must be followed by 4 hex digits", "échappement \\u mal formé"},
        {"forbidden character after backslash", "échappement inconnu"},
        {"invalid number", "nombre mal formé"},
        {"invalid literal", "valeur JSON attendue"},
        {"; expected '}'", "« } » attendu"},
        {"; expected ']'", "« ] » attendu"},
        {"; expected ':'", "« : » attendu"},
        {"; expected string literal", "nom de membre attendu"},
        {"unexpected end of input", "valeur attendue, fin du texte"},
    };
    for (const auto& [english, french] : reasons)
        if (what.find(english) != std::string::npos)
            return french;
    return "valeur JSON attendue";
}

class LineBuilder {
public:
    LineBuilder(std::string_view line, const char** last) : line_(line), last_(last) {}

    bool null() { return Add(nullptr); }
    bool boolean(bool value) { return Add(value); }
    bool number_integer(Json::number_integer_t value) { return Add(value); }
    bool number_unsigned(Json::number_unsigned_t value) { return Add(value); }
    bool number_float(Json::number_float_t value, const Json::string_t&) { return Add(value); }
    bool string(Json::string_t& value) { return Add(std::move(value)); }
    bool binary(Json::binary_t&) { return Fail("valeur JSON attendue", Column()); }
    bool start_object(std::size_t) { return Open(Json::object()); }
    bool start_array(std::size_t) { return Open(Json::array()); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }
    bool key(Json::string_t& name) {
        if (!names_.back().insert(name).second)
            return Fail("membre « " + dba::Shown(name) + " » en double", NameColumn());
        key_ = std::move(name);
        return true;
    }
    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& error) {
        const std::string reason = FrenchReason(error.what());
        std::size_t column = position;
        // The parser stops after the bad sequence; point at its first byte.
        if (reason == "texte qui n'est pas de l'UTF-8 valide")
            if (std::optional<dba::BadByte> bad = dba::FindBadByte(line_, 3))
                column = bad->offset;
        return Fail(reason, column);
    }

    Json root;
    std::optional<JsonLineError> error;

private:
    static constexpr std::size_t MaxDepth = 64;

    bool Fail(const std::string& message, std::size_t column) {
        if (!error)
            error.emplace(message, column);
        return false;
    }
    std::size_t Column() const { return *last_ ? static_cast<std::size_t>(*last_ - line_.data()) + 1 : 1; }
    // The column of the opening quote of the name just read.
    std::size_t NameColumn() const {
        std::size_t close = Column() - 1;
        for (std::size_t i = close; i-- > 0;) {
            if (line_[i] != '"')
                continue;
            std::size_t slashes = 0;
            while (i > slashes && line_[i - slashes - 1] == '\\')
                ++slashes;
            if (slashes % 2 == 0)
                return i + 1;
        }
        return close + 1;
    }
    Json* Put(Json value) {
        if (open_.empty()) {
            root = std::move(value);
            return &root;
        }
        Json& container = *open_.back();
        if (container.is_array()) {
            container.push_back(std::move(value));
            return &container.back();
        }
        Json& slot = container[key_];
        slot = std::move(value);
        return &slot;
    }
    template <typename T>
    bool Add(T&& value) {
        Put(Json(std::forward<T>(value)));
        return true;
    }
    bool Open(Json container) {
        if (open_.size() >= MaxDepth)
            return Fail("imbrication trop profonde", Column());
        const bool object = container.is_object();
        open_.push_back(Put(std::move(container)));
        if (object)
            names_.emplace_back();
        return true;
    }
    bool Close() {
        if (open_.back()->is_object())
            names_.pop_back();
        open_.pop_back();
        return true;
    }

    std::string_view line_;
    const char** last_;
    std::vector<Json*> open_;
    std::vector<std::set<std::string>> names_;
    std::string key_;
};

std::string ReadWholeFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        throw ConsoleError("« " + dba::Shown(path, 200) +
                           " » est un dossier : donnez le chemin d'un fichier JSON Lines");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ConsoleError("lecture impossible : " + dba::Shown(path, 200));
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        throw ConsoleError("lecture impossible : " + dba::Shown(path, 200));
    return content.str();
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace

Json ParseJsonLine(std::string_view line) {
    const char* last = nullptr;
    LineBuilder builder(line, &last);
    const bool parsed = Json::sax_parse(TrackedChar(line.data(), &last),
                                        TrackedChar(line.data() + line.size(), &last), &builder);
    if (builder.error)
        throw *builder.error;
    if (!parsed)
        throw JsonLineError("valeur JSON attendue", 1);
    return std::move(builder.root);
}

std::vector<NumberedRecord> ReadRecordLines(const std::string& path) {
    const std::string content = ReadWholeFile(path);
    std::vector<NumberedRecord> records;
    std::map<std::pair<std::string, std::string>, int> seen;
    std::size_t start = 0;
    for (int number = 1; start < content.size(); ++number) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string_view line(content.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (IsBlank(line))
            continue;
        const std::string where = "ligne " + std::to_string(number);
        if (line.substr(0, IncompleteExportMark.size()) == IncompleteExportMark)
            throw ConsoleError(where + " : ce fichier est un export qui n'a pas pu finir (" +
                               dba::Shown(line, 200) + ")");
        try {
            NumberedRecord entry{number, RecordFromJson(ParseJsonLine(line))};
            const auto [it, inserted] =
                seen.emplace(std::make_pair(entry.record.table, entry.record.key), number);
            if (!inserted)
                throw RecordLineError("enregistrement " + entry.record.table + " " + dba::Shown(entry.record.key) +
                                      " déjà donné ligne " + std::to_string(it->second));
            records.push_back(std::move(entry));
        } catch (const JsonLineError& e) {
            throw ConsoleError(where + ", colonne " + std::to_string(e.column()) + " : JSON incorrect (" +
                               e.what() + ")");
        } catch (const RecordLineError& e) {
            throw ConsoleError(where + " : " + e.what());
        }
    }
    return records;
}

} // namespace console
