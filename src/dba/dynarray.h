#pragma once
// Multi-valued record text: fields separated by 0xFE, values by 0xFD,
// subvalues by 0xFC. Field numbers here start at 1 (the key is not part of
// the text); value and subvalue numbers start at 1. Reading past the end
// gives empty text; writing past the end pads with empty entries.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dba {

inline constexpr char FM = '\xFE'; // field mark
inline constexpr char VM = '\xFD'; // value mark
inline constexpr char SM = '\xFC'; // subvalue mark

std::vector<std::string> Split(std::string_view text, char mark);
std::string Join(const std::vector<std::string>& parts, char mark);

// Number of entries of `text` split by `mark`; 0 for empty text.
int CountParts(std::string_view text, char mark);

// Extract: field f (1..), value v (1..), subvalue s (1..); 0 means "whole".
std::string Extract(std::string_view record, int f, int v = 0, int s = 0);
// Field f of the record as a view into it (f <= 0: the whole record), for
// reading without copying.
std::string_view FieldOf(std::string_view record, int f);
// Replace the addressed part, padding with empty parts as needed.
void Replace(std::string& record, int f, int v, int s, std::string_view part);
// Insert a value into field f at value position pos (1..); pos -1 appends.
void InsertValue(std::string& record, int f, int pos, std::string_view value);
// Remove value v of field f (later values move up); v 0 removes the field
// (later fields move down).
void DeleteValue(std::string& record, int f, int v);

// The first byte of a text that may not be stored at a level: a mark of
// that level or above, NUL, or a byte that is not part of well-formed
// UTF-8. `offset` counts from 1; `what` names the byte in French.
struct BadByte {
    std::size_t offset = 0;
    std::string what;
};
// Level 0 is a whole record text (every mark allowed), 1 a field (value
// and subvalue marks), 2 a value (subvalue marks), 3 a subvalue or a key.
std::optional<BadByte> FindBadByte(std::string_view text, int level);

// True when the text is well-formed UTF-8 without NUL once marks are set aside.
bool IsValidText(std::string_view text);
// Throws InvalidValue, naming the byte and its position, when `part` may
// not be stored at that level (see FindBadByte). `subject` starts the
// message ("Valeur", "Clé").
void CheckPart(std::string_view part, int level /*1 field, 2 value, 3 subvalue*/,
               const char* subject = "Valeur");

} // namespace dba
