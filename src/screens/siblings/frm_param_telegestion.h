#pragma once
// The telemanagement settings of a contract's activities; the opening screen replaces the caption with the
// helper's (and beneficiary's) names.
#include "screens/siblings/ctr_par_ind_zorvelia.h"
#include "screens/siblings/host_form.h"

namespace screens::siblings {

class Frm_ParamTelegestion : public HostFormOf<Ctr_ParIndZorvelia, Formulaire::ParamTelegestion> {
    using HostFormOf::HostFormOf;
};

} // namespace screens::siblings
