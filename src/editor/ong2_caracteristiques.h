#pragma once
// Tab "Caractéristiques": the terms of the contract entry (initial terms or
// amendment) chosen with Bdh_Avenant, the P.C.S. classification, the career
// grid and the reference dates of grid and seniority. The amendment
// commands that add, validate, cancel and delete entries are in
// amendments.h.
#include "editor/code_lookup.h"
#include "editor/list_lookup.h"
#include "editor/onglet_contrat.h"

#include <memory>

class QLineEdit;

namespace editor {

class OngletCaracteristiques : public OngletContrat {
public:
    explicit OngletCaracteristiques(EditorContext& context);
    ~OngletCaracteristiques() override;

    void Verif() override;
    // Writes the entry shown, or appends a new one while an amendment is
    // being added; the amendment being added is no longer pending after.
    void Ecrire() override;
    void EcrireDans(dba::Record& record) const override;

    // Empties the terms before another entry is shown or a new one typed.
    void Vider_Ong2();
    void Remplir_PCS();
    void Remplir_FoncPCS();
    // The next display shows the entry Bdh_Avenant is on, not the latest.
    void GarderSelection() { garderSelection_ = true; }
    // Brings the tab to the front and gives `control` the focus.
    void Focus(QWidget* control);

private:
    void connecter();
    // The career grids of the agreement on screen (column 1 code, column 2
    // name), read again when the agreement changed.
    const dba::ResultList& Grilles() const;
    void RemplirGrilles();
    QString NomGrille(const std::string& code) const;
    std::string CodeGrille(const QString& name) const;
    void RemplirQualifications(QComboBox* combo);

    void Cbo_CategPCSContrat_Click();
    void Cbo_GrilleContrat_Click();
    void Cbo_GrilleContrat_LostFocus();
    void Cac_Lissage_Click();
    void ModeGrille(bool grid);
    // Numeric boxes: the number rewritten in the screen's form when left,
    // or refused with the focus back.
    void NombreQuitte(QLineEdit* box, int decimals, int minimum, const QString& refus);
    void JoursSuspensionQuittes(QLineEdit* days);
    void DatesReference();

    mutable dba::ResultList grilles_;
    mutable QString conventionGrilles_;
    mutable bool grillesLues_ = false;
    dba::ResultList categories_; // PCS "0 1", keys below "100"
    dba::ResultList fonctions_;  // PCS "0 1" of the category chosen
    std::unique_ptr<RechercheCode> pcs_;
    std::unique_ptr<ListeSaisie> categoriesListe_, qualifications_, grillesListe_;
    bool garderSelection_ = false;
    bool enCours_ = false; // the tab sets its own boxes

protected:
    void AfficherControles() override;
};

} // namespace editor
