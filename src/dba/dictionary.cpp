// Dictionary entries: their stored text form and their resolution against
// a record.
//
// Stored forms (numbers in decimal, texts in double quotes with \" and \\):
//   F field                                        a field number (0 = key)
//   K start length                                 a slice of the key
//   T start length targetField "table" "source"    a translation
//   C "separator" "item" "item" ...                a concatenation
//   U "item"                                       an upper-cased item
#include "dba/dictionary.h"

#include "dba/dynarray.h"
#include "dba/errors.h"
#include "dba/upper_case.h"

#include <charconv>

namespace dba {

namespace {

std::string Quote(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

class EntryReader {
public:
    explicit EntryReader(std::string_view text) : text_(text) {}

    bool AtEnd() {
        SkipSpaces();
        return pos_ >= text_.size();
    }
    int Number() {
        SkipSpaces();
        std::size_t begin = pos_;
        while (pos_ < text_.size() && text_[pos_] != ' ')
            ++pos_;
        std::string_view word = text_.substr(begin, pos_ - begin);
        int value = 0;
        auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (word.empty() || ec != std::errc() || end != word.data() + word.size())
            Fail();
        return value;
    }
    std::string Quoted() {
        SkipSpaces();
        if (pos_ >= text_.size() || text_[pos_] != '"')
            Fail();
        ++pos_;
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            if (text_[pos_] == '\\') {
                if (++pos_ >= text_.size())
                    Fail();
            }
            out += text_[pos_++];
        }
        if (pos_ >= text_.size())
            Fail();
        ++pos_;
        return out;
    }
    char Letter() {
        SkipSpaces();
        if (pos_ >= text_.size())
            Fail();
        char c = text_[pos_++];
        if (pos_ < text_.size() && text_[pos_] != ' ')
            Fail();
        return c;
    }
    [[noreturn]] void Fail() const {
        throw InvalidValue("Entrée de dictionnaire incorrecte : « " + Shown(text_) + " »");
    }

private:
    void SkipSpaces() {
        while (pos_ < text_.size() && text_[pos_] == ' ')
            ++pos_;
    }
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool IsFieldNumber(const std::string& item) {
    if (item.empty() || item.size() > 6)
        return false;
    for (char c : item)
        if (c < '0' || c > '9')
            return false;
    return true;
}

ItemPtr Compile(const std::string& item, const std::map<std::string, DictEntry>& dictionary,
                const std::set<std::string>& tables, std::set<std::string>& visiting) {
    auto node = std::make_shared<CompiledItem>();
    if (item == "@ID" || item == "0") {
        node->kind = CompiledItem::Kind::Key;
        return node;
    }
    if (IsFieldNumber(item)) {
        node->kind = CompiledItem::Kind::Field;
        node->field = std::stoi(item);
        return node;
    }
    auto found = dictionary.find(item);
    if (found == dictionary.end())
        throw UnknownName("Nom de champ inconnu : " + Shown(item));
    if (!visiting.insert(item).second)
        throw UnknownName("Nom de champ défini par lui-même : " + Shown(item));
    const DictEntry& e = found->second;
    switch (e.kind) {
    case DictEntry::Kind::Field:
        node->kind = e.field == 0 ? CompiledItem::Kind::Key : CompiledItem::Kind::Field;
        node->field = e.field;
        break;
    case DictEntry::Kind::KeySlice:
        node->kind = CompiledItem::Kind::KeySlice;
        node->start = e.start;
        node->length = e.length;
        break;
    case DictEntry::Kind::Translate:
        node->kind = CompiledItem::Kind::Translate;
        if (!tables.count(e.targetTable))
            throw TableNotFound(e.targetTable);
        node->targetTable = e.targetTable;
        node->targetField = e.targetField;
        node->start = e.start;
        node->length = e.length;
        if (!e.sourceItem.empty())
            node->source = Compile(e.sourceItem, dictionary, tables, visiting);
        node->readsOtherTables = true;
        break;
    case DictEntry::Kind::Concat:
        node->kind = CompiledItem::Kind::Concat;
        node->separator = e.separator;
        for (const std::string& part : e.items) {
            node->items.push_back(Compile(part, dictionary, tables, visiting));
            node->readsOtherTables |= node->items.back()->readsOtherTables;
        }
        break;
    case DictEntry::Kind::Upper:
        node->kind = CompiledItem::Kind::Upper;
        if (e.items.size() != 1)
            throw UnknownName("Nom de champ mal défini : " + Shown(item));
        node->source = Compile(e.items.front(), dictionary, tables, visiting);
        node->readsOtherTables = node->source->readsOtherTables;
        break;
    }
    visiting.erase(item);
    return node;
}

std::string Translate(const CompiledItem& item, std::string_view sourceText, TranslationCache* cache) {
    // A multi-valued source translates value by value.
    std::string out;
    std::size_t start = 0;
    for (bool first = true;; first = false) {
        std::size_t at = sourceText.find(VM, start);
        std::string_view value =
            sourceText.substr(start, at == std::string_view::npos ? sourceText.npos : at - start);
        if (!first)
            out += VM;
        if (!value.empty()) {
            const auto& record = cache->Get(item.targetTable, std::string(value));
            if (record)
                out += item.targetField == 0 ? std::string(value) : Extract(*record, item.targetField);
        }
        if (at == std::string_view::npos)
            break;
        start = at + 1;
    }
    return out;
}

} // namespace

std::string DictEntry::Serialize() const {
    switch (kind) {
    case Kind::Field:
        return "F " + std::to_string(field);
    case Kind::KeySlice:
        return "K " + std::to_string(start) + " " + std::to_string(length);
    case Kind::Translate:
        return "T " + std::to_string(start) + " " + std::to_string(length) + " " +
               std::to_string(targetField) + " " + Quote(targetTable) + " " + Quote(sourceItem);
    case Kind::Concat: {
        std::string out = "C " + Quote(separator);
        for (const std::string& item : items)
            out += " " + Quote(item);
        return out;
    }
    case Kind::Upper:
        return "U " + Quote(items.empty() ? std::string() : items.front());
    }
    return {};
}

DictEntry DictEntry::Parse(const std::string& text) {
    EntryReader in(text);
    DictEntry e;
    switch (in.Letter()) {
    case 'F':
        e.kind = Kind::Field;
        e.field = in.Number();
        if (e.field < 0)
            in.Fail();
        break;
    case 'K':
        e.kind = Kind::KeySlice;
        e.start = in.Number();
        e.length = in.Number();
        break;
    case 'T':
        e.kind = Kind::Translate;
        e.start = in.Number();
        e.length = in.Number();
        e.targetField = in.Number();
        e.targetTable = in.Quoted();
        e.sourceItem = in.Quoted();
        if (e.targetTable.empty() || e.targetField < 0)
            in.Fail();
        break;
    case 'C':
        e.kind = Kind::Concat;
        e.separator = in.Quoted();
        while (!in.AtEnd())
            e.items.push_back(in.Quoted());
        if (e.items.empty())
            in.Fail();
        break;
    case 'U':
        e.kind = Kind::Upper;
        e.items.push_back(in.Quoted());
        break;
    default:
        in.Fail();
    }
    if (!in.AtEnd() || e.start < 1 || e.length < 0)
        in.Fail();
    return e;
}

ItemPtr CompileItem(const std::string& item, const std::map<std::string, DictEntry>& dictionary,
                    const std::set<std::string>& tables) {
    std::set<std::string> visiting;
    return Compile(item, dictionary, tables, visiting);
}

const std::optional<std::string>& TranslationCache::Get(const std::string& table, const std::string& key) {
    auto id = std::make_pair(table, key);
    auto found = records_.find(id);
    if (found != records_.end())
        return found->second;
    return records_.emplace(std::move(id), reader_(table, key)).first->second;
}

std::string_view KeySlice(std::string_view key, int start, int length) {
    std::size_t begin = static_cast<std::size_t>(start < 1 ? 0 : start - 1);
    if (begin >= key.size())
        return {};
    return length <= 0 ? key.substr(begin) : key.substr(begin, static_cast<std::size_t>(length));
}

std::string ResolveItem(const CompiledItem& item, std::string_view key, std::string_view text,
                        TranslationCache* cache) {
    switch (item.kind) {
    case CompiledItem::Kind::Key:
        return std::string(key);
    case CompiledItem::Kind::Field:
        return Extract(text, item.field);
    case CompiledItem::Kind::KeySlice:
        return std::string(KeySlice(key, item.start, item.length));
    case CompiledItem::Kind::Translate: {
        std::string source = item.source ? ResolveItem(*item.source, key, text, cache)
                                         : std::string(KeySlice(key, item.start, item.length));
        return Translate(item, source, cache);
    }
    case CompiledItem::Kind::Concat: {
        std::string out;
        for (std::size_t i = 0; i < item.items.size(); ++i) {
            if (i)
                out += item.separator;
            out += ResolveItem(*item.items[i], key, text, cache);
        }
        return out;
    }
    case CompiledItem::Kind::Upper:
        return UpperCase(ResolveItem(*item.source, key, text, cache));
    }
    return {};
}

} // namespace dba
