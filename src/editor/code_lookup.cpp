#include "editor/code_lookup.h"

#include "editor/combo_text.h"
#include "rules/code_entry.h"
#include "ui/events.h"

#include <QComboBox>
#include <QLineEdit>

namespace editor {

namespace {

constexpr int Entree = 13;

// Sets a flag for the life of the guard.
class Drapeau {
public:
    explicit Drapeau(bool& flag) : flag_(flag) { flag_ = true; }
    ~Drapeau() { flag_ = false; }

private:
    bool& flag_;
};

} // namespace

RechercheCode::RechercheCode(EditorContext& context, Config config) : ctx(context), c(std::move(config)) {
    ui::onChange(c.code, this, &RechercheCode::Change);
    ui::onKeyPress(c.code, this, &RechercheCode::KeyPress);
    ui::onLostFocus(c.code, this, &RechercheCode::LostFocus);
    ui::onClick(c.libelle, this, &RechercheCode::LibelleClick);
    ui::onComboChange(c.libelle, this, &RechercheCode::LibelleChange);
}

std::function<int(const QString&)> RechercheCode::LigneDans(const dba::ResultList& list) {
    return [&list](const QString& code) {
        const std::string wanted = code.toStdString();
        for (int r = 1; r <= list.DCount(); ++r)
            if (list.Item(r, 1) == wanted)
                return r - 1;
        return -1;
    };
}

std::function<QString(int)> RechercheCode::CodeDans(const dba::ResultList& list) {
    return [&list](int row) { return QString::fromStdString(list.Item(row + 1, 1)); };
}

void RechercheCode::Change() {
    // Showing a contract never looks its codes up: a stored code that the
    // lists no longer hold is shown, not emptied.
    if (ctx.affichage > 0 || enCours_)
        return;
    const QString code = c.code->text();
    if (code.size() != c.longueur()) {
        {
            const Drapeau d(enCours_);
            ViderTexte(c.libelle);
        }
        if (c.efface)
            c.efface();
        return;
    }
    int row = -1;
    try {
        // The further checks come first: they may know why a code is
        // missing from the list (a profile of the other kind).
        if (c.refuser)
            if (const std::optional<rules::Refus> refus = c.refuser(code))
                return Refuser(refus->message, refus->icon);
        row = c.ligneDe(code);
    } catch (const dba::Error& error) {
        return Refuser(QStringLiteral("Recherche impossible : ") + QString::fromUtf8(error.what()),
                       ui::Icon::Exclamation);
    }
    if (row < 0)
        return Refuser(c.inconnu, c.icone);
    {
        const Drapeau d(enCours_);
        c.libelle->setCurrentIndex(row);
    }
    if (c.trouve)
        c.trouve();
}

void RechercheCode::Refuser(const QString& message, ui::Icon icon) {
    ui::messages().Show(message, ui::Buttons::Ok, icon);
    c.code->clear();
}

void RechercheCode::KeyPress(int& ascii) {
    if (ascii == Entree)
        c.code->setText(rules::CompleterCode(c.code->text(), c.longueur()));
}

void RechercheCode::LostFocus() {
    const QString code = c.code->text();
    if (!code.isEmpty() && code.size() < c.longueur())
        c.code->setText(rules::CompleterCode(code, c.longueur()));
}

void RechercheCode::LibelleClick() {
    if (ctx.affichage > 0 || enCours_)
        return;
    const int row = c.libelle->currentIndex();
    if (row < 0)
        return;
    const QString code = c.codeDe(row);
    if (code == c.code->text())
        return;
    c.code->setText(code);
}

void RechercheCode::LibelleChange() {
    if (ctx.affichage > 0 || enCours_)
        return;
    if (c.libelle->currentText().isEmpty())
        c.code->clear();
}

} // namespace editor
