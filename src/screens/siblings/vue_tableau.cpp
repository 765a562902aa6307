#include "screens/siblings/vue_tableau.h"

#include "ui_vue_tableau.h"

#include <QLabel>

namespace screens::siblings {

VueTableau::VueTableau(QWidget* parent) : SiblingControl(parent), ui(new Ui::VueTableau) {
    ui->setupUi(this);
    // Connected here, in a base of the view, so not through ui::onClick:
    // its receiver check takes the type being built for the final one.
    connect(ui->Cmd_Retour, &QPushButton::clicked, this, &VueTableau::Cmd_Retour_Click);
}

VueTableau::~VueTableau() = default;

void VueTableau::Cmd_Retour_Click() {
    Sortir();
}

void VueTableau::Afficher(const Contenu& c) {
    ui->Etq_Entete->setText(c.entete.join(QLatin1Char('\n')));

    while (ui->Lay_Fiche->rowCount() > 0)
        ui->Lay_Fiche->removeRow(0);
    for (const auto& [libelle, valeur] : c.fiche) {
        auto* texte = new QLabel(valeur);
        texte->setTextInteractionFlags(Qt::TextSelectableByMouse);
        ui->Lay_Fiche->addRow(libelle + QStringLiteral(" :"), texte);
    }
    ui->Cdr_Fiche->setVisible(!c.fiche.empty());

    const bool vide = c.lignes.empty();
    ui->Etq_Tableau->setText(c.titreTableau);
    ui->Etq_Tableau->setVisible(!c.titreTableau.isEmpty());
    ui->Lst_Lignes->clear();
    ui->Lst_Lignes->setColumnCount(static_cast<int>(c.colonnes.size()));
    ui->Lst_Lignes->setHorizontalHeaderLabels(c.colonnes);
    ui->Lst_Lignes->setRowCount(static_cast<int>(c.lignes.size()));
    for (int r = 0; r < static_cast<int>(c.lignes.size()); ++r)
        for (int col = 0; col < c.lignes[static_cast<std::size_t>(r)].size(); ++col) {
            auto* item = new QTableWidgetItem(c.lignes[static_cast<std::size_t>(r)][col]);
            if (c.colonnesChiffres.count(col))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            ui->Lst_Lignes->setItem(r, col, item);
        }
    ui->Lst_Lignes->resizeColumnsToContents();
    ui->Lst_Lignes->setVisible(!vide);
    ui->Etq_Vide->setText(c.vide);
    ui->Etq_Vide->setVisible(vide);
    ui->Etq_Totaux->setText(c.totaux);
    ui->Etq_Totaux->setVisible(!vide && !c.totaux.isEmpty());
    ui->Cmd_Retour->setFocus();
}

} // namespace screens::siblings
