#pragma once
// The leave-periods control: a helper's leave and absence periods (table
// ABSENCESAIDANT), latest first, with the paid-leave working days of the
// current leave year. Read only.
#include "screens/siblings/vue_aidant.h"

namespace screens::siblings {

class Ctr_AbsAidant : public VueAidant {
    Q_OBJECT

public:
    explicit Ctr_AbsAidant(QWidget* parent = nullptr) : VueAidant(parent) {}

    void Init() override;
};

} // namespace screens::siblings
