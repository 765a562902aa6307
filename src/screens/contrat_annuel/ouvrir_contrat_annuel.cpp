#include "screens/contrat_annuel/ouvrir_contrat_annuel.h"

#include "screens/contrat_annuel/frm_contrat_annuel.h"
#include "ui/busy_cursor.h"
#include "ui/modal.h"

#include <QtDebug>
#include <exception>
#include <memory>

namespace screens {

namespace {

template <class Step> void Run(const char* what, Step step) {
    try {
        step();
    } catch (const std::exception& error) {
        qWarning() << "suivi du contrat:" << what << ":" << error.what();
    }
}

} // namespace

void OuvrirContratAnnuel(data::GlobalState& g, const ContratAnnuelContexte& contexte,
                         std::shared_ptr<data::AccessRights> rights, QWidget* parent) {
    std::unique_ptr<Frm_ContratAnnuel> form;
    {
        ui::BusyCursor busy(parent);
        Run("chargement", [&] { form = std::make_unique<Frm_ContratAnnuel>(g, parent); });
        if (!form)
            return;
        form->SetEtq_CodeAidant(contexte.codeAidant);
        form->SetEtq_NomAidant(contexte.nomAidant);
        form->SetContrat(contexte.convention, contexte.entite, contexte.employeur);
        Run("périodes", [&] { form->Remplir_Periode(); });
        Run("lecture", [&] { form->Lecture_EnCours(); });
        Run("droits", [&] { form->setDroitsUtilisateur(std::move(rights)); });
        Run("initialisation", [&] { form->Init(); });
    }
    ui::modal().Show(*form);
}

} // namespace screens
