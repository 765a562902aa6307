#pragma once
// The list of qualifications ("QUALIF"), from the editor's "Ajouter Qualification".
#include "screens/siblings/ctr_parametres.h"
#include "screens/siblings/host_form.h"

namespace screens::siblings {

class Frm_QualifPro : public HostFormOf<Ctr_Parametres> {
public:
    explicit Frm_QualifPro(QWidget* parent = nullptr)
        : HostFormOf({"Frm_QualifPro", QStringLiteral("Ajout Qualification Professionnelle"),
                      "Ctr_Parametres1", false},
                     parent) {}
};

} // namespace screens::siblings
