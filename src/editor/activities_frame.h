#pragma once
// The frame "Affectation des activités" of the pay tab: the activities of
// the contract picked from its entity's list, with their shares of working
// time for administrative staff, and the telemanagement rights button.
#include "editor/editor_context.h"

#include <QObject>
#include <QString>
#include <functional>

namespace editor {

// What the telemanagement parameters screen is given.
struct ParametresTelegestion {
    QString entite, beneficiaire, aidant, typeActivite, activites, titre;
};

class CadreActivites : public QObject {
public:
    explicit CadreActivites(EditorContext& context);

    // The entity's activities for the contract's status and agreement;
    // those already on the contract are not offered again.
    void Gestion_Activite();
    // The contract's activities and shares from ContractRecord, and the
    // contract's activity type from the first of them.
    void AfficherActivites();
    // The screen the telemanagement button opens once its checks pass.
    void SetEcranTelegestion(std::function<void(const ParametresTelegestion&)> open);
    void Cmd_Telegestion_Click();

private:
    void Cbo_Activite_Click();
    void Cmd_OKActivite_Click();
    void Cmd_AnnulerActivite_Click();
    void Lst_ActiviteContrat_Click();
    void Lst_RepartActContrat_Click();
    void Lst_DblClick(int row);
    void Txt_RepartActContrat_KeyPress(int& ascii);
    // Entry of a share: the entry fields open, the lists closed, or back.
    void Saisie(bool enCours);
    // Row of the activities list (from 1) whose column `column` is `text`.
    int Ligne(int column, const QString& text) const;

    EditorContext& ctx;
    Ui::Frm_ElementsContrat& ui;
    QString typeChoisi_; // type of the activity last picked
    std::function<void(const ParametresTelegestion&)> telegestion_;
};

} // namespace editor
