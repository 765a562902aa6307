#pragma once
// A helper's compensated work stoppages, from the pay tab ("Temps d'indemnisation").
#include "screens/siblings/ctr_indem_arr_trav.h"
#include "screens/siblings/host_form.h"

namespace screens::siblings {

class Frm_tpsIndem : public HostFormOf<Ctr_IndemArrTrav, Formulaire::TpsIndem> {
    using HostFormOf::HostFormOf;
};

} // namespace screens::siblings
