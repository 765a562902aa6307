#include "rules/code_entry.h"

namespace rules {

QString CompleterCode(const QString& typed, int length) {
    return typed.size() >= length ? typed : QString(length - typed.size(), QLatin1Char('0')) + typed;
}

} // namespace rules
