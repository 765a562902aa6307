#pragma once
// The buttons of the editor that open a side screen. A button is usable
// only when its screen exists (registered by the library or a host), the
// editor's own rules want it enabled (the fixed-term reason follows the
// identity typed, the follow-up the salary mode...), and the site's
// contract-management level does not lock it. Each of the three is kept
// apart so that none of them can undo another.
#include <QString>
#include <functional>
#include <map>

class QPushButton;
class QWidget;

namespace editor {

class EcransLateraux {
public:
    // The side-screen buttons of `form`, none registered yet.
    explicit EcransLateraux(QWidget& form);

    // Makes `open` the screen of `button`; registering again replaces it
    // (one click opens one screen). False when the form has no such button.
    bool Enregistrer(const QString& button, std::function<void()> open);
    // What the editor's rules want for the button.
    void Activer(QPushButton* button, bool enabled);
    // The contract-management level locks the button until the editor goes.
    void Verrouiller(const QString& button);
    bool EstEcranLateral(const QWidget* control) const;

private:
    struct Bouton {
        QPushButton* button = nullptr;
        std::function<void()> open;
        bool wanted = false;
        bool locked = false;
    };
    void Appliquer(Bouton& b);

    std::map<QString, Bouton> buttons_;
};

// Buttons of the editor that open a side screen.
inline constexpr const char* BoutonsEcrans[] = {"Cmd_SuiviAnnuel", "Cmd_RubSaisie", "Cmd_MotifCDD",
                                                "Cmd_Comment",     "Cmd_Conges",    "Cmd_DetailEmpl",
                                                "Cmd_QualifPro",   "Cmd_TpsIndem",  "Cmd_Telegestion"};

} // namespace editor
