#include "editor/table_error.h"

#include "ui/messages.h"

namespace editor {

QString MessageTableIllisible(const std::string& table, const std::exception& error) {
    return QStringLiteral("Lecture de la table ") + QString::fromStdString(table) +
           QStringLiteral(" impossible : ") + QString::fromUtf8(error.what());
}

void SignalerTableIllisible(const std::string& table, const std::exception& error) {
    ui::messages().Show(MessageTableIllisible(table, error), ui::Buttons::Ok, ui::Icon::Exclamation);
}

} // namespace editor
