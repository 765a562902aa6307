#include "cell_text.h"

#include "dba/dynarray.h"

namespace console {

std::string CellText(std::string_view fieldText) {
    std::string out;
    out.reserve(fieldText.size());
    for (const char c : fieldText) {
        if (c == dba::VM)
            out += " | ";
        else if (c == dba::SM)
            out += " ; ";
        else if (c == dba::FM) // not expected in a field; kept visible
            out += " ^ ";
        else
            out += c;
    }
    return out;
}

} // namespace console
