#pragma once
// Code boxes: a code typed shorter than its length is completed on the
// left with zeros when the user presses Enter ("7" -> "007"). A code
// already that long, or longer, stays as typed.
#include <QString>

namespace rules {

QString CompleterCode(const QString& typed, int length);

} // namespace rules
