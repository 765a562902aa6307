#include "data/utility_services.h"
#include "support/install_scripted.h"

#include <QListWidget>
#include <gtest/gtest.h>

TEST(ChoosePrinter, AnswersTheIndexOrMinusOne) {
    InstallScripted scripted;
    data::UtilityServices services;
    services.SetPrinterNames([] { return QStringList{"Bureau", "MATRICIELLE", "Accueil"}; });

    scripted.modal.onNext("Frm_ChoixImprimante", [](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("Lst_Imprimantes"));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->count(), 3);
        list->setCurrentRow(1);
        dialog.accept();
    });
    EXPECT_EQ(services.ChoosePrinter(), QStringLiteral("1"));
    scripted.modal.onNext("Frm_ChoixImprimante", [](QDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(services.ChoosePrinter(), QStringLiteral("-1"));

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
