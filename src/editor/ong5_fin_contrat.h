#pragma once
// Tab "Fin du contrat": how the contract ends.
#include "editor/onglet_contrat.h"

namespace editor {

class OngletFinContrat : public OngletContrat {
public:
    explicit OngletFinContrat(EditorContext& context);

    void Afficher() override;
    void Verif() override;
    void EcrireDans(dba::Record& record) const override;

    // The list of end reasons, read when the editor loads.
    void ChargerListes();
    void LibererListes();

private:
    dba::Record finContrat_; // TABLES "FINCONTRAT"
};

} // namespace editor
