#pragma once
// The utility object every screen uses: dates, decimal separator, numeric
// entry, fixed-width numbers, printer choice. One instance, created on first
// use (Instance()); the computations are the pure functions of dates.h and
// numbers.h, this object adds the workstation's settings and the state of
// the last date completion.
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace data {

class UtilityServices {
public:
    static UtilityServices& Instance();
    UtilityServices() = default; // tests may build their own

    // --- Dates (day 0 = 31/12/1967) ---
    QString DateToInternal(const QDate& date) const;
    QString DateToInternal(const QString& text) const;      // "dd/mm/yyyy"; empty when not a date
    QString InternalToDate(const QString& dayNumber) const; // empty when empty or invalid

    // Completes a typed date (forms in dates.h) against today's date; the
    // caller puts the result back into its box. When no valid date comes
    // out, the text is returned unchanged and DateRejected() is true until
    // the next completion.
    QString CompleteDate(const QString& typed);
    bool DateRejected() const { return dateRejected_; }
    // The day CompleteDate takes as today (the system date unless set).
    void SetToday(const QDate& today) { today_ = today; }

    // --- Numbers ---
    // The workstation's decimal separator (system locale) unless the host
    // sets another one.
    QString DecimalSeparator() const;
    void SetDecimalSeparator(const QString& separator) { separatorOverride_ = separator; }
    void ResetDecimalSeparator() { separatorOverride_.clear(); }

    QString FormatFixed(double value, int integerDigits, int decimals, bool isSigned) const;
    int FilterNumericKey(int ascii, bool allowMinus, const QString& currentText = {}) const;
    bool CheckNumericEntry(const QString& text) const;

    // --- Printers ---
    // Lets the user pick an installed printer; answers its index in
    // QPrinterInfo::availablePrinterNames() as text, "-1" when cancelled or
    // when no printer is installed. The dialog runs through ui::modal().
    QString ChoosePrinter(QWidget* parent = nullptr);
    // Replaces the dialog (tests, hosts with their own chooser): given the
    // printer names and the default one's index, returns the chosen index
    // or -1.
    using PrinterChooser = std::function<int(const QStringList& printers, int defaultIndex)>;
    void SetPrinterChooser(PrinterChooser chooser) { chooser_ = std::move(chooser); }
    // Replaces the list of installed printers (tests).
    void SetPrinterNames(std::function<QStringList()> names) { printerNames_ = std::move(names); }

    // The printers ChoosePrinter offers, in its order: the installed ones,
    // then a PDF file (so a workstation without a printer can still print).
    QStringList PrinterNames() const;
    static QString PdfPrinterName() { return QStringLiteral("Fichier PDF"); }
    // The printer at `index` of PrinterNames(), ready to print on, or
    // nullptr when there is none (index out of the list, no file name
    // given for a PDF file).
    std::unique_ptr<QPrinter> OpenPrinter(int index, QWidget* parent = nullptr) const;
    // Replaces how a printer name becomes a printer (tests: a PDF file).
    using PrinterOpener = std::function<std::unique_ptr<QPrinter>(const QString& name)>;
    void SetPrinterOpener(PrinterOpener opener) { opener_ = std::move(opener); }

private:
    bool dateRejected_ = false;
    QDate today_;
    QString separatorOverride_;
    PrinterChooser chooser_;
    std::function<QStringList()> printerNames_;
    PrinterOpener opener_;
};

} // namespace data
