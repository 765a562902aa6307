#pragma once
// Tab "Caractéristiques": the terms of the contract entry (initial terms or
// amendment) chosen with Bdh_Avenant.
#include "editor/onglet_contrat.h"

namespace editor {

class OngletCaracteristiques : public OngletContrat {
public:
    explicit OngletCaracteristiques(EditorContext& context);

    void Verif() override;
    void EcrireDans(dba::Record& record) const override;


protected:
    void AfficherControles() override;
};

} // namespace editor
