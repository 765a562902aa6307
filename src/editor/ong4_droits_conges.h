#pragma once
// Tab "Droits aux congés": the helper's leave counters for the contract.
#include "editor/onglet_contrat.h"

namespace editor {

class OngletDroitsConges : public OngletContrat {
public:
    explicit OngletDroitsConges(EditorContext& context);

    void Verif() override;
    void EcrireDans(dba::Record& record) const override;


protected:
    void AfficherControles() override;
};

} // namespace editor
