#pragma once
// Comparing contract record texts. Writing an empty field past the end of
// a record pads it with empty fields; such a text holds exactly what the
// shorter one holds, so the two compare equal and the padding is never
// stored.
#include <string>

namespace editor {

// `text` without the empty fields that end it.
std::string SansChampsVidesFinaux(std::string text);
// Whether two record texts hold the same fields.
bool MemeContenu(const std::string& a, const std::string& b);

} // namespace editor
