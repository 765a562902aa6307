#pragma once
// Why the fixed-term contract being edited was made ("Motif C.D.D."): the
// hiring reason from the list "MOTIFEMBAUCHE" with two lines of free text,
// and the helpers the contract's helper replaces, each with the absence
// covered when there is one. Everything goes back into ContractRecord
// (fields 9, 10, 113, 114, 115) on OK or Retour; the editor saves the
// contract. Opened by screens::OuvrirMotifCDD.
#include "data/access_rights.h"
#include "data/global_state.h"
#include "rules/fixed_term_reason.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class Frm_MotifCDD;
}
class QLineEdit;

namespace screens {

// What the screen reads of the open editor.
struct ContexteMotifCDD {
    QString codeAidant;      // Etq_CodeAidant: the contract's helper
    QString nomPrenomAidant; // Etq_NomPrenomAidant
    QString datDebContrat;   // text of Txt_DatDebContrat, "dd/mm/yyyy"
    QString convention;      // Txt_ConvColContrat
    QString employeur;       // Txt_EmplEtabContrat (agreement "02": the beneficiary)
    QString entite;          // Txt_AssocContrat
};

} // namespace screens

class Frm_MotifCDD : public QDialog {
    Q_OBJECT

public:
    // Loads the form on the editor's ContractRecord (Afficher_Donnees):
    // reason fields and list of replaced helpers. The agreement, employer
    // and entity of `editeur` are kept for the look-ups; the helper and the
    // start date come through the setters below. A table that cannot be
    // read raises the database's error.
    Frm_MotifCDD(data::GlobalState& globals, const screens::ContexteMotifCDD& editeur,
                 QWidget* parent = nullptr);
    ~Frm_MotifCDD() override;

    // --- What the opening sequence calls, in this order ---
    void setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights);
    void SetEtq_CodeAidant(const QString& code);
    void SetEtq_NomPrenomAidant(const QString& nom);
    void setDatDebContrat(const QString& date);
    // Opens the hiring-reason list's own screen (parameter-table control);
    // the button stays disabled until there is one.
    void setOuvrirMotifsEmbauche(std::function<void()> ouvrir);
    void Init();

    // --- Procedures ---
    void Appliquer_Droits();
    void Afficher_Donnees();
    void Remplir_ListeAidant();
    void Recherche_Aidant();
    void Recherche_AbsAidant(const QString& code, const QString& date);
    bool Verif_AidantRemplacant();
    void Grise_Liste();
    void Degrise_Liste();
    void MAJ_TabDyn();
    rules::ChampsMotif Verif_TabDyn() const;
    void Ecrire_Donnees();

    QLineEdit* Txt_MotifEmbContrat(int index) const;
    const QString& DatDebContrat() const { return datDebContrat_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void connectHandlers();
    dba::Table Table(const char* name);
    void Remplir_Motifs(const QString& codeChoisi);
    QString CodeMotifChoisi() const;
    QString JourDebut() const;
    QStringList Lignes() const;
    void Refuser(const rules::Refus& refus);
    void Fermer();

    void Txt_CodeAidant_KeyPress(int& ascii);
    void Txt_CodeAidant_LostFocus();
    void Txt_CodeAidant_Change();
    void Cbo_AidantRemplace_KeyPress(int& ascii);
    void Cbo_AidantRemplace_Click();
    void Cbo_AidantRemplace_Change();
    void Cbo_Absence_Click();
    void Cbo_Absence_Change();
    void Lst_AidantRemplace_DblClick();
    void Cmd_AjouterAidant_Click();
    void Cmd_SupprimerAidant_Click();
    void Cmd_AnnulerAidant_Click();
    void Cmd_OkAidant_Click();
    void Cmd_MotifsEmbauche_Click();
    void Cmd_OK_Click();
    void Cmd_Retour_Click();

    std::unique_ptr<Ui::Frm_MotifCDD> ui;
    data::GlobalState& g_;
    const screens::ContexteMotifCDD editeur_;
    std::shared_ptr<data::AccessRights> rights_;
    std::optional<data::RightsProfile> profile_;
    QString datDebContrat_;
    std::function<void()> ouvrirMotifsEmbauche_;

    rules::ListeParametres motifs_;       // "MOTIFEMBAUCHE"
    rules::ListeParametres typesAbsence_; // "ABSENCES"
    dba::ResultList aidantsTrouves_;      // key, name, first name, leaving day
    dba::ResultList absencesTrouvees_;    // key, end day, type
    bool creation_ = false;
    int ligneModifiee_ = -1;
    int fermetureAutorisee_ = 0;
};
