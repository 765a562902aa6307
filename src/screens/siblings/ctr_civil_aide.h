#pragma once
// The beneficiary civil-status control: who the employer of a contract is
// when the beneficiary employs the helper (table CIVILAIDE): name,
// address, telephone, employer number and invoicing, and the contracts
// the beneficiary holds as employer. Read only.
#include "screens/siblings/vue_tableau.h"

namespace screens::siblings {

class Ctr_CivilAide : public VueTableau {
    Q_OBJECT

public:
    explicit Ctr_CivilAide(QWidget* parent = nullptr) : VueTableau(parent) {}

    // The employer of the contract (a beneficiary code under agreement
    // "02", an establishment otherwise).
    void setW_CodeEmployeur(const QString& code) { codeEmployeur_ = code; }
    void Init() override;

private:
    QString codeEmployeur_;
};

} // namespace screens::siblings
