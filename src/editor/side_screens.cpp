#include "editor/side_screens.h"

#include <QPushButton>
#include <QStringList>

namespace editor {

EcransLateraux::EcransLateraux(QWidget& form) {
    for (const char* name : BoutonsEcrans) {
        auto* button = form.findChild<QPushButton*>(QString::fromLatin1(name));
        if (!button)
            continue;
        Bouton& b = buttons_[button->objectName()];
        b.button = button;
        // Most buttons are always offered; these three follow the editor's
        // rules (identity typed, salary mode, the entity's telemanagement).
        static const QStringList parRegle = {"Cmd_MotifCDD", "Cmd_SuiviAnnuel", "Cmd_Telegestion"};
        b.wanted = !parRegle.contains(button->objectName());
        QObject::connect(button, &QPushButton::clicked, button, [this, name = button->objectName()] {
            auto it = buttons_.find(name);
            if (it != buttons_.end() && it->second.open)
                it->second.open();
        });
        Appliquer(b);
    }
}

bool EcransLateraux::Enregistrer(const QString& button, std::function<void()> open) {
    auto it = buttons_.find(button);
    if (it == buttons_.end())
        return false;
    it->second.open = std::move(open);
    Appliquer(it->second);
    return true;
}

void EcransLateraux::Activer(QPushButton* button, bool enabled) {
    auto it = buttons_.find(button->objectName());
    if (it == buttons_.end()) {
        button->setEnabled(enabled);
        return;
    }
    it->second.wanted = enabled;
    Appliquer(it->second);
}

void EcransLateraux::Verrouiller(const QString& button) {
    if (auto it = buttons_.find(button); it != buttons_.end()) {
        it->second.locked = true;
        Appliquer(it->second);
    }
}

bool EcransLateraux::EstEcranLateral(const QWidget* control) const {
    return control && buttons_.count(control->objectName()) > 0;
}

void EcransLateraux::Appliquer(Bouton& b) {
    b.button->setEnabled(b.wanted && !b.locked && static_cast<bool>(b.open));
}

} // namespace editor
