#include "data/utility_services.h"
#include "ui/modal.h"

#include <QDialog>
#include <QListWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs a callback on the dialog instead of a modal loop.
class ScriptedModal : public ui::Modal {
public:
    explicit ScriptedModal(std::function<int(QDialog&)> script) : script_(std::move(script)) {
        previous_ = ui::setModal(this);
    }
    ~ScriptedModal() override { ui::setModal(previous_); }
    int Show(QDialog& dialog) override { return script_(dialog); }

private:
    std::function<int(QDialog&)> script_;
    ui::Modal* previous_;
};

} // namespace

TEST(ChoosePrinter, AnswersTheIndexOrMinusOne) {
    data::UtilityServices services;
    const QStringList printers = {"Bureau", "MATRICIELLE", "Accueil"};
    services.SetPrinterNames([&] { return printers; });

    {
        ScriptedModal modal([](QDialog& dialog) {
            auto* list = dialog.findChild<QListWidget*>(QStringLiteral("Lst_Imprimantes"));
            EXPECT_NE(list, nullptr);
            EXPECT_EQ(list->count(), 3);
            list->setCurrentRow(1);
            return int(QDialog::Accepted);
        });
        EXPECT_EQ(services.ChoosePrinter(), QStringLiteral("1"));
    }
    {
        ScriptedModal modal([](QDialog&) { return int(QDialog::Rejected); });
        EXPECT_EQ(services.ChoosePrinter(), QStringLiteral("-1"));
    }

    services.SetPrinterChooser([](const QStringList& names, int) { return int(names.indexOf("Accueil")); });
    EXPECT_EQ(services.ChoosePrinter(), QStringLiteral("2"));
    services.SetPrinterChooser([](const QStringList&, int) { return 7; });
    EXPECT_EQ(services.ChoosePrinter(), QStringLiteral("-1")) << "an index out of the list is no choice";

    services.SetPrinterNames([] { return QStringList(); });
    services.SetPrinterChooser([](const QStringList&, int) -> int {
        ADD_FAILURE() << "nothing to choose from";
        return 0;
    });
    EXPECT_EQ(services.ChoosePrinter(), QStringLiteral("-1"));
}
