#pragma once
// The list of fixed-term hiring reasons ("MOTIFEMBAUCHE"); the form has no caption.
#include "screens/siblings/ctr_parametres.h"
#include "screens/siblings/host_form.h"

namespace screens::siblings {

class Frm_MotifsEmbauche : public HostFormOf<Ctr_Parametres> {
public:
    explicit Frm_MotifsEmbauche(QWidget* parent = nullptr)
        : HostFormOf({"Frm_MotifsEmbauche", QStringLiteral(""), "Ctr_Parametres", false}, parent) {}
};

} // namespace screens::siblings
