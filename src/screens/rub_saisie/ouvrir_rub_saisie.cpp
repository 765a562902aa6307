#include "screens/rub_saisie/ouvrir_rub_saisie.h"

#include "data/contrat_fields.h"
#include "rules/pay_entry_items.h"
#include "screens/rub_saisie/frm_rub_saisie.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"
#include "ui/modal.h"

#include <exception>

namespace screens {

QString EnteteRubSaisie(const QString& codeAidant, const QString& nomAidant, const std::string& cleContrat,
                        bool administratif) {
    QString entete = QStringLiteral("Aidant : ") + codeAidant;
    if (!nomAidant.isEmpty())
        entete += QLatin1Char(' ') + nomAidant;
    const std::string numero = data::contrat::NumeroContrat(cleContrat);
    if (!numero.empty())
        entete += QStringLiteral(" - contrat n° ") + QString::fromStdString(numero);
    entete += administratif ? QStringLiteral(" (Adm / Ssiad)") : QStringLiteral(" (Production)");
    return entete;
}

bool OuvrirRubSaisie(data::GlobalState& g, const std::shared_ptr<data::AccessRights>& droits,
                     const QString& codeAidant, const QString& nomAidant, bool administratif,
                     const std::vector<ActiviteContrat>& activites, QWidget* editeur) {
    const rules::PayEntryFields avant = rules::CopyPayEntryFields(g.ContractRecord);
    std::unique_ptr<Frm_RubSaisie> ecran;
    try {
        ui::BusyCursor sablier(editeur);
        ecran = std::make_unique<Frm_RubSaisie>(g, administratif, editeur);
        if (g.ContractRecord.Item(data::contrat::RubSaisieCode).empty())
            ecran->ViderListes();
        ecran->setDroitsUtilisateur(droits);
        ecran->Init();
        for (const ActiviteContrat& activite : activites)
            ecran->AjouterActivite(activite.code, activite.libelle);
        ecran->SetEtq_Aidant(EnteteRubSaisie(codeAidant, nomAidant, g.ContractRecord.key(), administratif));
    } catch (const std::exception& error) {
        ui::messages().Show(QStringLiteral("Les rubriques de saisie ne peuvent pas être affichées : ") +
                                QString::fromUtf8(error.what()),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
        return false;
    }
    ui::modal().Show(*ecran);
    return rules::CopyPayEntryFields(g.ContractRecord) != avant;
}

} // namespace screens
