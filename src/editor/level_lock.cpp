#include "editor/level_lock.h"

namespace editor {

bool NiveauVerrouille(const QString& level) {
    return QString::compare(level, QStringLiteral("3"), Qt::CaseSensitive) >= 0;
}

} // namespace editor
