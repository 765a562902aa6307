#pragma once
// The settlement detail of a contract, from the leave tab ("Détail décompte").
#include "screens/siblings/ctr_detail_decompte.h"
#include "screens/siblings/host_form.h"

namespace screens::siblings {

class Frm_DetailDecompte : public HostFormOf<Ctr_DetailDecompte, Formulaire::DetailDecompte> {
    using HostFormOf::HostFormOf;
};

} // namespace screens::siblings
