#include "editor/editor_context.h"

#include "editor/level_lock.h"
#include "ui_frm_elements_contrat.h"

namespace editor {

QString EditorContext::CodeAidant() const {
    return ui.Etq_Aidant->text().mid(9, 5);
}

bool EditorContext::NiveauVerrouille() const {
    return editor::NiveauVerrouille(g.ContractManagementLevel);
}

} // namespace editor
