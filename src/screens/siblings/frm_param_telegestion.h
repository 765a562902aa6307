#pragma once
// The telemanagement settings of a contract's activities; the opening screen replaces the caption with the
// helper's (and beneficiary's) names.
#include "screens/siblings/ctr_par_ind_zorvelia.h"
#include "screens/siblings/host_form.h"

namespace screens::siblings {

class Frm_ParamTelegestion : public HostFormOf<Ctr_ParIndZorvelia> {
public:
    explicit Frm_ParamTelegestion(QWidget* parent = nullptr)
        : HostFormOf({"Frm_ParamTelegestion", QStringLiteral("Paramétrage télégestion"), "Ctr_ParIndZorvelia",
                      false},
                     parent) {}
};

} // namespace screens::siblings
