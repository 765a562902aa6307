#pragma once
// A helper's compensated work stoppages, from the pay tab ("Temps d'indemnisation").
#include "screens/siblings/ctr_indem_arr_trav.h"
#include "screens/siblings/host_form.h"

namespace screens::siblings {

class Frm_tpsIndem : public HostFormOf<Ctr_IndemArrTrav> {
public:
    explicit Frm_tpsIndem(QWidget* parent = nullptr)
        : HostFormOf({"Frm_tpsIndem", QStringLiteral("Temps d'indemnisation des arrêts de travail"),
                      "Ctr_IndemArrTrav", true},
                     parent) {}
};

} // namespace screens::siblings
