#include "editor/list_lookup.h"

#include "editor/combo_text.h"
#include "editor/editor_context.h"
#include "editor/table_error.h"
#include "ui/drop_down_combo_box.h"
#include "ui/events.h"

#include <QComboBox>

namespace editor {

ListeSaisie::ListeSaisie(EditorContext& context, Config config) : ctx(context), c(std::move(config)) {
    if (auto* dropDown = qobject_cast<ui::DropDownComboBox*>(c.combo))
        ui::onDropDown(dropDown, this, &ListeSaisie::Remplir);
    if (!c.inconnu.isEmpty())
        ui::onLostFocus(c.combo, this, &ListeSaisie::LostFocus);
}

void ListeSaisie::Remplir() {
    if (c.combo->count() > 0)
        return;
    const QString text = c.combo->currentText();
    try {
        c.remplir(c.combo);
    } catch (const dba::Error& error) {
        ui::messages().Show(QStringLiteral("Liste illisible : ") + QString::fromUtf8(error.what()), ui::Buttons::Ok,
                            ui::Icon::Exclamation);
    }
    MettreTexte(c.combo, text);
}

void ListeSaisie::LostFocus() {
    const QString text = c.combo->currentText();
    if (text.isEmpty() || ctx.affichage > 0)
        return;
    // A list never dropped down is read now: what the user typed may be in it.
    Remplir();
    if (c.combo->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0)
        return;
    ui::messages().Show(c.inconnu, ui::Buttons::Ok, c.icone);
    ViderTexte(c.combo);
    if (c.focus)
        c.focus(c.combo);
}

} // namespace editor
