#pragma once
// The human form of a field or cell: values separated by " | ",
// subvalues by " ; ". Meant for reading; `--json` is the exact form.
#include <string>
#include <string_view>

namespace console {

std::string CellText(std::string_view fieldText);

} // namespace console
