#pragma once
// Tab "Elements de paie": what the payroll needs to pay the helper.
#include "editor/onglet_contrat.h"

namespace editor {

class OngletElementsPaie : public OngletContrat {
public:
    explicit OngletElementsPaie(EditorContext& context);

    void Afficher() override;
    void Verif() override;
    void EcrireDans(dba::Record& record) const override;

};

} // namespace editor
