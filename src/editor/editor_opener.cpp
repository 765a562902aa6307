#include "editor/editor_opener.h"

#include "control/ctr_contrat.h"
#include "editor/frm_elements_contrat.h"
#include "ui/busy_cursor.h"
#include "ui/modal.h"

#include <QListWidget>
#include <QtDebug>
#include <exception>

namespace editor {

namespace {

// The entry of the browser list `name` on the selected line.
QString SelectedEntry(Ctr_Contrat& browser, const char* name) {
    auto* codes = browser.findChild<QListWidget*>(QStringLiteral("Lst_CodeContrat"));
    auto* list = browser.findChild<QListWidget*>(QString::fromLatin1(name));
    if (!codes || !list)
        return {};
    const QListWidgetItem* item = list->item(codes->currentRow());
    return item ? item->text() : QString();
}

template <class Step> void Run(const char* what, Step step) {
    try {
        step();
    } catch (const std::exception& error) {
        qWarning() << "ouverture du contrat:" << what << ":" << error.what();
    }
}

} // namespace

void OuvrirEditeur(Ctr_Contrat& browser) {
    data::GlobalState& g = browser.Globals();
    auto* editor = qobject_cast<Frm_ElementsContrat*>(browser.EditorForm());
    {
        ui::BusyCursor busy(&browser);
        g.EditorLoading = true;
        Run("chargement", [&] {
            if (!editor) {
                editor = new Frm_ElementsContrat(g, &browser);
                browser.setEditorForm(editor);
            }
        });
        if (!editor) {
            g.EditorLoading = false;
            return;
        }
        editor->SelectOnglet(Origine);
        Run("affichage", [&] { editor->Afficher_Donnees(); });
        editor->SetEtq_Aidant(QStringLiteral("Aidant : ") +
                              SelectedEntry(browser, "Lst_CodeContrat").left(5) + QLatin1Char(' ') +
                              SelectedEntry(browser, "Lst_AidantContrat"));
        editor->SelectOnglet(Origine);
    }
    Run("droits", [&] { editor->setDroitsUtilisateur(browser.AccessRightsObject()); });
    Run("initialisation", [&] { editor->Init(); });
    g.EditorLoading = false;
    ui::modal().Show(*editor);
}

} // namespace editor
