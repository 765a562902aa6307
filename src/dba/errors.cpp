#include "dba/errors.h"

#include <cstdio>

namespace dba {

namespace {

// Length of the well-formed UTF-8 sequence at text[i], 0 when there is none.
std::size_t SequenceAt(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b0 = byte(i);
    std::size_t length;
    std::uint32_t min, cp;
    if (b0 < 0x80)
        return 1;
    if ((b0 & 0xE0) == 0xC0)
        length = 2, min = 0x80, cp = b0 & 0x1F;
    else if ((b0 & 0xF0) == 0xE0)
        length = 3, min = 0x800, cp = b0 & 0x0F;
    else if ((b0 & 0xF8) == 0xF0)
        length = 4, min = 0x10000, cp = b0 & 0x07;
    else
        return 0;
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

} // namespace

std::string Shown(std::string_view text, std::size_t max) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size() && out.size() < max) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = SequenceAt(text, i);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (length == 0 || c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        ++i;
    }
    if (i < text.size())
        out += "… (" + std::to_string(text.size()) + " octets)";
    return out;
}

} // namespace dba
