#pragma once
// The leave-periods control: a helper's leave and absence periods (table
// ABSENCESAIDANT), latest first, with the paid-leave working days of the
// current leave year. Read only.
#include "screens/siblings/vue_tableau.h"

namespace screens::siblings {

class Ctr_AbsAidant : public VueTableau {
    Q_OBJECT

public:
    explicit Ctr_AbsAidant(QWidget* parent = nullptr) : VueTableau(parent) {}

    void setW_CodeAidant(const QString& code) { codeAidant_ = code; }
    void setW_NomPrenom(const QString& nom) { nomPrenom_ = nom; }
    void Init() override;

private:
    QString codeAidant_, nomPrenom_;
};

} // namespace screens::siblings
