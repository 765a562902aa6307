// minimal-host DATABASE BENEFICIARY [USER] [--check]
// Shows the contracts of one beneficiary. With --check: searches once,
// prints the number of contracts listed and exits.
#include <control/ctr_contrat.h>
#include <data/access_rights.h>
#include <data/client.h>
#include <data/table_fields.h>
#include <data/tables.h>
#include <dba/database.h>
#include <ui/messages.h>

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

// Nobody answers message boxes during a check: the library's messages go to
// the error output and get the answer of a box closed without choosing.
class ConsoleMessages : public ui::Messages {
public:
    ui::Answer Show(const QString& text, ui::Buttons buttons, ui::Icon, ui::DefaultButton) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return ui::escapeAnswer(buttons);
    }
    void Beep() override {}
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool check = args.removeAll(QStringLiteral("--check")) > 0;
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: minimal-host DATABASE BENEFICIARY [USER] [--check]\n");
        return 2;
    }
    ConsoleMessages console;
    if (check)
        ui::setMessages(&console);
    try {
        dba::Database db = dba::Database::Open(args[0].toStdString());
        data::Client client = data::Client::FromSystem();
        if (args.size() == 3)
            client.SetUserName(args[2]);
        const std::string user = client.UserName().toStdString();
        db.SetUserName(user);
        const dba::Record aide =
            db.OpenTable(data::tables::CIVILAIDE).ReadRecordOrEmpty(args[1].toStdString());

        QWidget form; // the host's form: "Retour" closes it
        auto* browser = new Ctr_Contrat(&form);
        (new QVBoxLayout(&form))->addWidget(browser);
        browser->setTheDatabase(db);
        browser->setTheClient(client);
        browser->setW_Code(args[1]);
        browser->setW_NomPrenom(QString::fromStdString(aide.Item(data::civilaide::Nom) + " " +
                                                       aide.Item(data::civilaide::Prenom)));
        browser->setW_EtatSuppAidant(false);
        browser->setDroitsUtilisateur(std::make_shared<data::AccessRights>(db, user));
        browser->Init();

        if (check) {
            browser->findChild<QPushButton*>(QStringLiteral("Cmd_Recherche"))->click();
            std::printf("%d\n",
                        browser->findChild<QListWidget*>(QStringLiteral("Lst_DatDebContrat"))->count());
            return 0;
        }
        form.show();
        return app.exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "minimal-host: %s\n", error.what());
        if (!check)
            QMessageBox::critical(nullptr, QStringLiteral("minimal-host"), QString::fromUtf8(error.what()));
        return 1;
    }
}
