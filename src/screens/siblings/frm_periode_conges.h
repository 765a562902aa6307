#pragma once
// A helper's leave and absence periods.
#include "screens/siblings/ctr_abs_aidant.h"
#include "screens/siblings/host_form.h"

namespace screens::siblings {

class Frm_PeriodeConges : public HostFormOf<Ctr_AbsAidant, Formulaire::PeriodeConges> {
    using HostFormOf::HostFormOf;
};

} // namespace screens::siblings
