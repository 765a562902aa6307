#pragma once
// The work-stoppage compensation control: the stoppages a helper's
// provident scheme compensated (table HISTORINDEM, key helper code +
// scheme code), latest first, with the days and amounts, and the days
// compensated from the start date the opening screen gives. Read only.
#include "screens/siblings/vue_aidant.h"

namespace screens::siblings {

class Ctr_IndemArrTrav : public VueAidant {
    Q_OBJECT

public:
    explicit Ctr_IndemArrTrav(QWidget* parent = nullptr) : VueAidant(parent) {}

    // A pay period "yyyymm", a day number or "dd/mm/yyyy"; empty: the
    // days of every stoppage are counted.
    void setW_DateDebut(const QString& date) { dateDebut_ = date; }
    // Helper code followed by the provident-scheme code (HISTORINDEM key).
    void setW_CleIndemnisation(const QString& cle) { cle_ = cle; }
    void Init() override;

private:
    QString dateDebut_, cle_;
};

} // namespace screens::siblings
