#pragma once
// The employer's civil status, from the contract editor ("Détail employeur").
#include "screens/siblings/ctr_civil_aide.h"
#include "screens/siblings/host_form.h"

namespace screens::siblings {

class Frm_CivilAide : public HostFormOf<Ctr_CivilAide, Formulaire::CivilAide> {
    using HostFormOf::HostFormOf;
};

} // namespace screens::siblings
