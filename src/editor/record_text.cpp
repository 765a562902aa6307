#include "editor/record_text.h"

#include "dba/dynarray.h"

namespace editor {

std::string SansChampsVidesFinaux(std::string text) {
    while (!text.empty() && text.back() == dba::FM)
        text.pop_back();
    return text;
}

bool MemeContenu(const std::string& a, const std::string& b) {
    return SansChampsVidesFinaux(a) == SansChampsVidesFinaux(b);
}

} // namespace editor
