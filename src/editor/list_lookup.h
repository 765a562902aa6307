#pragma once
// The editor's stand-alone lists: a combo box filled on its first drop-down
// (or first needed), whose text must be one of its items when the user
// leaves it; otherwise it is said, emptied and the focus given back.
#include "ui/messages.h"

#include <QObject>
#include <functional>

class QComboBox;
class QWidget;

namespace editor {

struct EditorContext;

class ListeSaisie : public QObject {
public:
    struct Config {
        QComboBox* combo = nullptr;
        // Adds the items to the empty combo.
        std::function<void(QComboBox*)> remplir;
        QString inconnu; // empty: any text is taken
        ui::Icon icone = ui::Icon::Exclamation;
        // Brings the combo's tab to the front and gives the focus back.
        std::function<void(QWidget*)> focus;
    };

    ListeSaisie(EditorContext& context, Config config);
    // Fills the combo once, keeping the text it shows.
    void Remplir();

private:
    void LostFocus();

    EditorContext& ctx;
    Config c;
};

} // namespace editor
