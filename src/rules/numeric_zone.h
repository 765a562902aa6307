#pragma once
// The length check of a numeric box: how many digits it may hold before
// and after the decimal separator.
#include "ui/messages.h"

#include <QString>
#include <optional>

namespace rules {

struct ZoneRefusee {
    QString message;
    ui::Icon icon = ui::Icon::None;
};

// `text` as typed; one more character is allowed before the separator when
// it holds a minus sign. A refused zone is said with its message and the
// caller gives the focus back to the box.
std::optional<ZoneRefusee> ZoneNumCarac(const QString& text, int avant, int apres, const QString& separator);

} // namespace rules
