#pragma once
// A read-only view of one helper's records: the helper is given by code and
// name, and named on the first line of the header.
#include "screens/siblings/vue_tableau.h"

namespace screens::siblings {

class VueAidant : public VueTableau {
public:
    void setW_CodeAidant(const QString& code) { codeAidant_ = code; }
    void setW_NomPrenom(const QString& nom) { nomPrenom_ = nom; }

protected:
    using VueTableau::VueTableau;
    const QString& CodeAidant() const { return codeAidant_; }
    QString LigneAidant() const { return QStringLiteral("Aidant : %1 %2").arg(codeAidant_, nomPrenom_); }

private:
    QString codeAidant_, nomPrenom_;
};

} // namespace screens::siblings
