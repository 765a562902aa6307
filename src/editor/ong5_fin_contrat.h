#pragma once
// Tab "Fin du contrat": how the contract ends.
#include "editor/list_lookup.h"
#include "editor/onglet_contrat.h"

#include <memory>
#include <string>

class QComboBox;

namespace editor {

class OngletFinContrat : public OngletContrat {
public:
    explicit OngletFinContrat(EditorContext& context);

    void Verif() override;
    void EcrireDans(dba::Record& record) const override;

    // The list of end reasons, read when the editor loads.
    void ChargerListes();
    void LibererListes();

private:
    // Adds the reasons still offered, and `kept` even when withdrawn.
    void RemplirMotifs(QComboBox* combo, const std::string& kept) const;

    dba::Record finContrat_; // TABLES "FINCONTRAT"
    std::unique_ptr<ListeSaisie> motifs_;

protected:
    void AfficherControles() override;
};

} // namespace editor
