#include "data/utility_services.h"

#include "data/dates.h"
#include "data/numbers.h"
#include "ui/modal.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QListWidget>
#include <QLocale>
#include <QPrinter>
#include <QPrinterInfo>
#include <QVBoxLayout>

namespace data {

UtilityServices& UtilityServices::Instance() {
    static UtilityServices instance;
    return instance;
}

QString UtilityServices::DateToInternal(const QDate& date) const {
    return dates::DateToInternal(date);
}

QString UtilityServices::DateToInternal(const QString& text) const {
    return dates::DateToInternal(text);
}

QString UtilityServices::InternalToDate(const QString& dayNumber) const {
    return dates::InternalToDate(dayNumber);
}

QString UtilityServices::CompleteDate(const QString& typed) {
    const dates::Completion c = dates::CompleteDate(typed, today_.isValid() ? today_ : QDate::currentDate());
    dateRejected_ = c.rejected;
    return c.text;
}

QString UtilityServices::DecimalSeparator() const {
    if (!separatorOverride_.isEmpty())
        return separatorOverride_;
    return QLocale::system().decimalPoint();
}

QString UtilityServices::FormatFixed(double value, int integerDigits, int decimals, bool isSigned) const {
    return numbers::FormatFixed(value, integerDigits, decimals, isSigned, DecimalSeparator());
}

int UtilityServices::FilterNumericKey(int ascii, bool allowMinus, const QString& currentText) const {
    return numbers::FilterNumericKey(ascii, allowMinus, DecimalSeparator(), currentText);
}

bool UtilityServices::CheckNumericEntry(const QString& text) const {
    return numbers::CheckNumericEntry(text);
}

namespace {

// The printer list dialog: one line per installed printer, the default
// one selected; a double click or OK chooses.
int ChooseInDialog(const QStringList& printers, int defaultIndex, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("Frm_ChoixImprimante"));
    dialog.setWindowTitle(QStringLiteral("Choix de l'imprimante"));
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("Lst_Imprimantes"));
    list->addItems(printers);
    list->setCurrentRow(defaultIndex >= 0 ? defaultIndex : 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    if (ui::modal().Show(dialog) != QDialog::Accepted)
        return -1;
    return list->currentRow();
}

} // namespace

QStringList UtilityServices::PrinterNames() const {
    if (printerNames_)
        return printerNames_();
    return QPrinterInfo::availablePrinterNames() << PdfPrinterName();
}

std::unique_ptr<QPrinter> UtilityServices::OpenPrinter(int index, QWidget* parent) const {
    const QStringList printers = PrinterNames();
    if (index < 0 || index >= printers.size())
        return nullptr;
    const QString name = printers[index];
    if (opener_)
        return opener_(name);
    if (name != PdfPrinterName())
        return std::make_unique<QPrinter>(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
    QFileDialog dialog(parent, QStringLiteral("Imprimer dans un fichier PDF"));
    dialog.setObjectName(QStringLiteral("Frm_FichierPdf"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (ui::modal().Show(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(dialog.selectedFiles().constFirst());
    return printer;
}

QString UtilityServices::ChoosePrinter(QWidget* parent) {
    const QStringList printers = PrinterNames();
    if (printers.isEmpty())
        return QStringLiteral("-1");
    const int defaultIndex = printers.indexOf(QPrinterInfo::defaultPrinterName());
    const int chosen =
        chooser_ ? chooser_(printers, defaultIndex) : ChooseInDialog(printers, defaultIndex, parent);
    if (chosen < 0 || chosen >= printers.size())
        return QStringLiteral("-1");
    return QString::number(chosen);
}

} // namespace data
