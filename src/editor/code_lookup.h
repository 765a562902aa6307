#pragma once
// The code/label pairs of the editor: a short code typed in a text box,
// and beside it a combo box of labels. A code of full length is looked up
// and its label selected; a code that does not exist is said and emptied,
// never kept; Enter, or leaving a short code, fills it on the left with
// zeros; choosing a label puts its code in the box. One object per pair,
// configured with its list, length, message and what depends on it.
#include "editor/editor_context.h"
#include "rules/origine_checks.h"
#include "ui/messages.h"

#include <QObject>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;

namespace editor {

class RechercheCode : public QObject {
public:
    struct Config {
        QLineEdit* code = nullptr;
        QComboBox* libelle = nullptr;
        std::function<int()> longueur; // the code's full length
        // The row of the label combo that holds `code`, -1 when none. May
        // refill the combo (a code typed that the list did not hold yet).
        std::function<int(const QString& code)> ligneDe;
        // The code of row `row` of the label combo.
        std::function<QString(int row)> codeDe;
        QString inconnu; // message for a code that does not exist
        ui::Icon icone = ui::Icon::Information;
        // Further reasons to refuse a code, checked first (the two profiles).
        std::function<std::optional<rules::Refus>(const QString& code)> refuser;
        std::function<void()> trouve; // the values that depend on the code
        std::function<void()> efface; // the same, emptied with the code
    };

    RechercheCode(EditorContext& context, Config config);

    // The rows of `list` (column 1 code, column 2 label) as the combo's.
    static std::function<int(const QString&)> LigneDans(const dba::ResultList& list);
    static std::function<QString(int)> CodeDans(const dba::ResultList& list);
    static std::function<int()> Longueur(int n) {
        return [n] { return n; };
    }

private:
    void Change();
    void KeyPress(int& ascii);
    void LostFocus();
    void LibelleClick();
    void LibelleChange();
    void Refuser(const QString& message, ui::Icon icon);

    EditorContext& ctx;
    Config c;
    bool enCours_ = false; // the pair is setting its own boxes
};

} // namespace editor
