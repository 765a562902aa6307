#pragma once
// Tab "Droits aux congés": the helper's leave counters for the contract.
#include "editor/onglet_contrat.h"

class QLineEdit;
class QWidget;

namespace editor {

class OngletDroitsConges : public OngletContrat {
public:
    explicit OngletDroitsConges(EditorContext& context);

    void Verif() override;
    void EcrireDans(dba::Record& record) const override;

protected:
    void AfficherControles() override;

private:
    void connecter();
    void Focus(QWidget* control);
    // The length and half-day rules of a counter box the user leaves.
    void CompteurLostFocus(QLineEdit* box, int avant);
};

} // namespace editor
