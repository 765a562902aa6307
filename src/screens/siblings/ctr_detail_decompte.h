#pragma once
// The settlement-detail control: month by month, what payroll calculated
// for one contract (table DETAILCALCUL: hours paid, gross pay, paid-leave
// days earned and taken, paid-leave pay), with the totals of the months
// shown and the contract's present paid-leave counters. Read only.
#include "screens/siblings/vue_aidant.h"

namespace screens::siblings {

class Ctr_DetailDecompte : public VueAidant {
    Q_OBJECT

public:
    explicit Ctr_DetailDecompte(QWidget* parent = nullptr) : VueAidant(parent) {}

    void setW_CodeEmployeur(const QString& code) { codeEmployeur_ = code; }
    void setW_NomEmployeur(const QString& nom) { nomEmployeur_ = nom; }
    // Helper code followed by the contract number (the CONTRAT key).
    void setW_CodeContrat(const QString& cle) { cleContrat_ = cle; }
    // The reason the settlement is asked for; kept for the suite, the
    // detail shown is the same whatever the reason.
    void setW_NumMotif(const QString& motif) { numMotif_ = motif; }
    const QString& W_NumMotif() const { return numMotif_; }
    void Init() override;

private:
    QString codeEmployeur_, nomEmployeur_, cleContrat_, numMotif_;
};

} // namespace screens::siblings
