#include "editor_screenshot.h"

#include "beneficiary_chooser.h"
#include "host_window.h"

#include "data/contrat_fields.h"
#include "data/tables.h"
#include "ui/modal.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <cstdio>

namespace {

// Instead of waiting for the user: show, select the tab, draw, hide.
class CaptureModal : public ui::Modal {
public:
    CaptureModal(int tab, QString png) : tab_(tab), png_(std::move(png)) {}
    int Show(QDialog& dialog) override {
        dialog.show();
        QApplication::processEvents();
        if (auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("Ong_Contrat")))
            tabs->setCurrentIndex(tab_);
        QApplication::processEvents();
        written_ = dialog.grab().save(png_);
        dialog.hide();
        return QDialog::Rejected;
    }
    bool written() const { return written_; }

private:
    int tab_;
    QString png_;
    bool written_ = false;
};

int Fail(const QString& message) {
    std::fprintf(stderr, "arbel-contrats: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int CaptureEditor(HostWindow& window, const dba::Database& db, const QString& key, int tab,
                  const QString& png) {
    const dba::Record contract = db.OpenTable(data::tables::CONTRAT).ReadRecordOrEmpty(key.toStdString());
    const QString beneficiary = QString::fromStdString(contract.Item(data::contrat::Employeur));
    if (contract.Item().empty() ||
        contract.Item(data::contrat::ConventionCollective) != data::contrat::ConventionParticulierEmployeur)
        return Fail(
            QStringLiteral("le contrat %1 n'existe pas ou n'est pas un contrat d'aidé employeur").arg(key));
    if (!window.OpenBeneficiary(beneficiary, window.Chooser()->NameOf(beneficiary)))
        return 1;
    Ctr_Contrat* browser = window.Browser();
    // Every contract of the beneficiary, ended ones included.
    browser->findChild<QRadioButton*>(QStringLiteral("Opt_TousValid"))->setChecked(true);
    window.Search();
    auto* codes = browser->findChild<QListWidget*>(QStringLiteral("Lst_CodeContrat"));
    const QList<QListWidgetItem*> found = codes->findItems(key, Qt::MatchExactly);
    if (found.isEmpty())
        return Fail(
            QStringLiteral("le contrat %1 n'est pas dans la liste de l'aidé %2").arg(key, beneficiary));
    // The helper list keeps the other lists on its line, as a click does.
    browser->findChild<QListWidget*>(QStringLiteral("Lst_AidantContrat"))
        ->setCurrentRow(codes->row(found.first()));

    CaptureModal capture(tab, png);
    ui::Modal* previous = ui::setModal(&capture);
    browser->Appel_Contrat();
    ui::setModal(previous);
    if (!capture.written())
        return Fail(QStringLiteral("impossible d'écrire %1").arg(png));
    std::printf("%s\n", qPrintable(QFileInfo(png).absoluteFilePath()));
    return 0;
}
