#pragma once
// The list of fixed-term hiring reasons ("MOTIFEMBAUCHE"); the form has no caption.
#include "screens/siblings/ctr_parametres.h"
#include "screens/siblings/host_form.h"

namespace screens::siblings {

class Frm_MotifsEmbauche : public HostFormOf<Ctr_Parametres, Formulaire::MotifsEmbauche> {
    using HostFormOf::HostFormOf;
};

} // namespace screens::siblings
