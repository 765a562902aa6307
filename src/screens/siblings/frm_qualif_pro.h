#pragma once
// The list of qualifications ("QUALIF"), from the editor's "Ajouter Qualification".
#include "screens/siblings/ctr_parametres.h"
#include "screens/siblings/host_form.h"

namespace screens::siblings {

class Frm_QualifPro : public HostFormOf<Ctr_Parametres, Formulaire::QualifPro> {
    using HostFormOf::HostFormOf;
};

} // namespace screens::siblings
