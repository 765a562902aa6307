#pragma once
// The layout the read-only sibling views share: a header naming whose
// records they are, an optional card of label/value pairs, a table of
// records, and in place of the table a plain sentence when there is none,
// then a totals line and "Retour", which leaves the control.
#include "screens/siblings/sibling_control.h"

#include <QStringList>
#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace Ui {
class VueTableau;
}

namespace screens::siblings {

class VueTableau : public SiblingControl {
    Q_OBJECT

public:
    ~VueTableau() override;
    void Cmd_Retour_Click();

protected:
    explicit VueTableau(QWidget* parent = nullptr);

    struct Contenu {
        QStringList entete;
        std::vector<std::pair<QString, QString>> fiche; // label, value
        QString titreTableau;
        QStringList colonnes;
        std::set<int> colonnesChiffres; // right-aligned
        std::vector<QStringList> lignes;
        QString vide; // shown instead of the table when there is no line
        QString totaux;
    };
    void Afficher(const Contenu& contenu);

private:
    std::unique_ptr<Ui::VueTableau> ui;
};

} // namespace screens::siblings
