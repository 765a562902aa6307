#pragma once
// Small operations on the editor's combo boxes, named as the screens speak
// of them.
#include <QString>

class QComboBox;

namespace editor {

// Shows `text`: the list entry holding it when there is one, otherwise the
// text itself in an editable combo (no entry selected).
void MettreTexte(QComboBox* combo, const QString& text);
// No entry selected and no text.
void ViderTexte(QComboBox* combo);
// The text stays but is no longer selected (selection length 0).
void Deselectionner(QComboBox* combo);

} // namespace editor
