#pragma once
// The employer's civil status, from the contract editor ("Détail employeur").
#include "screens/siblings/ctr_civil_aide.h"
#include "screens/siblings/host_form.h"

namespace screens::siblings {

class Frm_CivilAide : public HostFormOf<Ctr_CivilAide> {
public:
    explicit Frm_CivilAide(QWidget* parent = nullptr)
        : HostFormOf({"Frm_CivilAide", QStringLiteral("Etat Civil de l'Aidé"), "Ctr_CivilAide", false},
                     parent) {}
};

} // namespace screens::siblings
