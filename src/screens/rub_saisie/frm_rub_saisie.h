#pragma once
// The pay-entry items of the contract being edited ("Rubriques de saisie"):
// the contract's recurring pay lines, each chosen from the RUBSAISIE
// catalogue with a base, a rate, an amount and, for a production contract,
// the activity it is charged to. The items live in the screen's lists and go
// back into ContractRecord (fields 89 to 93) on OK or Retour; the editor
// saves the contract. Opened by screens::OuvrirRubSaisie.
#include "data/access_rights.h"
#include "data/global_state.h"
#include "rules/pay_entry_items.h"

#include <QDialog>
#include <QList>
#include <memory>
#include <optional>

namespace Ui {
class Frm_RubSaisie;
}
class QLineEdit;
class QListWidget;

class Frm_RubSaisie : public QDialog {
    Q_OBJECT

public:
    // Loads the form (Form_Load) on the editor's ContractRecord: opens the
    // catalogue, keeps a copy of fields 89 to 93, fills the label list and
    // the item lists. `administratif`: the contract's status is "Adm /
    // Ssiad" (its items carry no activity).
    Frm_RubSaisie(data::GlobalState& globals, bool administratif, QWidget* parent = nullptr);
    ~Frm_RubSaisie() override;

    // --- What the opening sequence calls, in this order ---
    void setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights);
    void Init();
    // One activity of the contract: its label into Cbo_Activite, its code
    // into Lst_CodeAct, on the same line.
    void AjouterActivite(const QString& code, const QString& libelle);
    void SetEtq_Aidant(const QString& caption);
    // Empties the six visible lists (a contract without items).
    void ViderListes();

    // --- Procedures ---
    void Appliquer_Droits();
    void Remplir_RubSaisie();
    void Afficher_Donnees();
    void Descendre_Liste();
    void Monter_Liste();
    void Griser_Liste();
    void Degriser_Liste();
    void Vider_Texte();
    void Calcul_Base();
    // Puts the lists back into ContractRecord (fields 89 to 93).
    void Ecrire_Rubriques();

    // The base last typed (whole number), shared by every opening of the
    // screen while the program runs: base mode 1 takes its percentage of it.
    static long long& DerniereBaseSaisie();

    const std::optional<data::RightsProfile>& Profile() const { return profile_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void connectHandlers();
    QList<QListWidget*> ListesVisibles() const;
    QList<QListWidget*> ToutesListes() const;
    QList<QWidget*> ChampsSaisie() const;
    void InitBdvDetail();
    void AjusterLargeurs();
    // Sets the base, rate and amount boxes from the modes of catalogue row
    // `row` and puts the focus on the first box to type in.
    void AppliquerModes(int row);
    std::string Catalogue(int row, int column) const;
    QString LibelleActivite(const std::string& code);
    void SupprimerLigne(int row);
    // Checks a base, rate or amount box the user leaves; false when the focus
    // went back to it.
    bool ControlerNombre(QLineEdit* box, int decimals);
    QString Formater(QLineEdit* box, rules::Scaled value) const;
    void Fermer(int result);

    // --- Handlers ---
    void Txt_Code_Change();
    void Txt_Code_KeyPress(int& ascii);
    void Txt_Code_LostFocus();
    void Cbo_LibRub_Click();
    void Cbo_LibRub_Change();
    void Txt_Base_KeyPress(int& ascii);
    void Txt_Taux_KeyPress(int& ascii);
    void Txt_Montant_KeyPress(int& ascii);
    void Txt_Base_LostFocus();
    void Txt_Taux_LostFocus();
    void Txt_Montant_LostFocus();
    void Lst_Code_Click();
    void Lst_LibRub_Click();
    void Lst_Base_Click();
    void Lst_Taux_Click();
    void Lst_Montant_Click();
    void Lst_Activite_Click();
    void Bdv_Detail_Change();
    void Lst_DblClick();
    void Cmd_Ajouter_Click();
    void Cmd_Supprimer_Click();
    void Cmd_OK_Click();
    void Cmd_Annuler_Click();
    void Cmd_Retour_Click();

    std::unique_ptr<Ui::Frm_RubSaisie> ui;
    data::GlobalState& g_;
    const bool administratif_;
    std::shared_ptr<data::AccessRights> rights_;
    std::optional<data::RightsProfile> profile_;

    dba::Table rubSaisie_;
    dba::ResultList catalogue_;   // the items offered, kept while the screen is open
    rules::PayEntryFields copie_; // fields 89 to 93 as the screen found them
    bool fermetureAutorisee_ = false;
    bool creation_ = false;
    int ligneCatalogue_ = 0; // row of the catalogue found for Txt_Code (0: none)
    int ligneChargee_ = -1;  // row of the lists loaded into the entry line
    QString baseCalculee_;   // the text Calcul_Base last put into Txt_Base
};
