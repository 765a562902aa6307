#include "dba/upper_case.h"

#include <cstdint>

namespace dba {

namespace {

char32_t UpperOf(char32_t c) {
    if (c >= U'a' && c <= U'z')
        return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) // à..þ except ÷
        return c - 0x20;
    if (c == 0xFF) // ÿ
        return 0x178;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) // pairs: even upper, odd lower
        return (c & 1) ? c - 1 : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) // pairs: odd upper, even lower
        return (c & 1) ? c : c - 1;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        // Upper-casing only maps into the two-byte range.
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string UpperCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            out += static_cast<char>(UpperOf(b));
            ++i;
            continue;
        }
        // Two-byte sequences cover every letter this maps; anything else is copied.
        if ((b >> 5) == 0x6 && i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) >> 6) == 0x2) {
            char32_t c =
                (static_cast<char32_t>(b & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
            if (c >= 0x80) {
                AppendUtf8(out, UpperOf(c));
                i += 2;
                continue;
            }
        }
        out += static_cast<char>(b);
        ++i;
    }
    return out;
}

} // namespace dba
