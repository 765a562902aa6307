#include "editor/combo_text.h"

#include <QComboBox>
#include <QLineEdit>

namespace editor {

void MettreTexte(QComboBox* combo, const QString& text) {
    const int index = text.isEmpty() ? -1 : combo->findText(text, Qt::MatchExactly);
    combo->setCurrentIndex(index);
    if (index < 0 && combo->isEditable())
        combo->setEditText(text);
}

void ViderTexte(QComboBox* combo) {
    combo->setCurrentIndex(-1);
    if (combo->isEditable())
        combo->setEditText(QString());
}

void Deselectionner(QComboBox* combo) {
    if (QLineEdit* edit = combo->lineEdit())
        edit->deselect();
}

} // namespace editor
