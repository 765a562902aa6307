#include "dba/dynarray.h"

#include "dba/errors.h"

#include <cstdio>

namespace dba {

std::vector<std::string> Split(std::string_view text, char mark) {
    std::vector<std::string> parts;
    if (text.empty())
        return parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t at = text.find(mark, start);
        if (at == std::string_view::npos) {
            parts.emplace_back(text.substr(start));
            break;
        }
        parts.emplace_back(text.substr(start, at - start));
        start = at + 1;
    }
    return parts;
}

std::string Join(const std::vector<std::string>& parts, char mark) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i)
            out += mark;
        out += parts[i];
    }
    return out;
}

int CountParts(std::string_view text, char mark) {
    if (text.empty())
        return 0;
    int n = 1;
    for (char c : text)
        if (c == mark)
            ++n;
    return n;
}

namespace {

// Byte range [begin, end) of part n (1-based) of `text` split by `mark`;
// npos begin when the part does not exist.
std::pair<std::size_t, std::size_t> Locate(std::string_view text, char mark, int n) {
    std::size_t begin = 0;
    for (int i = 1; i < n; ++i) {
        std::size_t at = text.find(mark, begin);
        if (at == std::string_view::npos)
            return {std::string_view::npos, std::string_view::npos};
        begin = at + 1;
    }
    std::size_t end = text.find(mark, begin);
    return {begin, end == std::string_view::npos ? text.size() : end};
}

std::string_view Part(std::string_view text, char mark, int n) {
    auto [b, e] = Locate(text, mark, n);
    if (b == std::string_view::npos)
        return {};
    return text.substr(b, e - b);
}

// Replaces part n of `text`, padding with empty parts when it lies past the end.
void ReplacePart(std::string& text, char mark, int n, std::string_view part) {
    int count = CountParts(text, mark);
    if (count == 0 && n >= 1) {
        text.assign(static_cast<std::size_t>(n - 1), mark);
        text.append(part);
        return;
    }
    if (n > count) {
        text.append(static_cast<std::size_t>(n - count), mark);
        text.append(part);
        return;
    }
    auto [b, e] = Locate(text, mark, n);
    text.replace(b, e - b, part);
}

} // namespace

std::string_view FieldOf(std::string_view record, int f) {
    return f <= 0 ? record : Part(record, FM, f);
}

std::string Extract(std::string_view record, int f, int v, int s) {
    if (f <= 0)
        return std::string(record);
    std::string_view field = Part(record, FM, f);
    if (v <= 0)
        return std::string(field);
    std::string_view value = Part(field, VM, v);
    if (s <= 0)
        return std::string(value);
    return std::string(Part(value, SM, s));
}

void Replace(std::string& record, int f, int v, int s, std::string_view part) {
    if (f <= 0) {
        record.assign(part);
        return;
    }
    if (v <= 0) {
        ReplacePart(record, FM, f, part);
        return;
    }
    std::string field = Extract(record, f);
    if (s <= 0) {
        ReplacePart(field, VM, v, part);
    } else {
        std::string value(Part(field, VM, v));
        ReplacePart(value, SM, s, part);
        ReplacePart(field, VM, v, value);
    }
    ReplacePart(record, FM, f, field);
}

void InsertValue(std::string& record, int f, int pos, std::string_view value) {
    std::string field = Extract(record, f);
    std::vector<std::string> values = Split(field, VM);
    if (pos < 0 || pos > static_cast<int>(values.size())) {
        if (pos > static_cast<int>(values.size()) + 1)
            values.resize(static_cast<std::size_t>(pos - 1));
        values.emplace_back(value);
    } else {
        values.insert(values.begin() + (pos == 0 ? 0 : pos - 1), std::string(value));
    }
    ReplacePart(record, FM, f, Join(values, VM));
}

void DeleteValue(std::string& record, int f, int v) {
    if (v <= 0) {
        std::vector<std::string> fields = Split(record, FM);
        if (f >= 1 && f <= static_cast<int>(fields.size()))
            fields.erase(fields.begin() + (f - 1));
        record = Join(fields, FM);
        return;
    }
    std::vector<std::string> values = Split(Extract(record, f), VM);
    if (v > static_cast<int>(values.size()))
        return;
    values.erase(values.begin() + (v - 1));
    ReplacePart(record, FM, f, Join(values, VM));
}

std::optional<BadByte> FindBadByte(std::string_view text, int level) {
    std::size_t i = 0, n = text.size();
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const char* mark = c == 0xFE ? "séparateur de champs (0xFE)"
                           : c == 0xFD ? "séparateur de valeurs (0xFD)"
                           : c == 0xFC ? "séparateur de sous-valeurs (0xFC)"
                                       : nullptr;
        if (mark) {
            const int markLevel = c == 0xFE ? 0 : c == 0xFD ? 1 : 2;
            if (level > markLevel)
                return BadByte{i + 1, mark};
            ++i;
            continue;
        }
        if (c == 0)
            return BadByte{i + 1, "caractère nul"};
        int len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        bool ok = len != 0 && i + len <= n;
        std::uint32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        for (int k = 1; ok && k < len; ++k) {
            const unsigned char cc = static_cast<unsigned char>(text[i + k]);
            ok = (cc >> 6) == 0x2;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if (ok && ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
                   (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF))
            ok = false;
        if (!ok) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", c);
            return BadByte{i + 1, std::string("octet ") + hex + " qui n'est pas de l'UTF-8"};
        }
        i += static_cast<std::size_t>(len);
    }
    return std::nullopt;
}

bool IsValidText(std::string_view text) {
    return !FindBadByte(text, 0);
}

void CheckPart(std::string_view part, int level, const char* subject) {
    if (std::optional<BadByte> bad = FindBadByte(part, level))
        throw InvalidValue(std::string(subject) + " refusée : " + bad->what + " à l'octet " +
                           std::to_string(bad->offset));
}

} // namespace dba
