// DropDown: raised before the list opens, so the handler can fill it; the
// combo comes from a Designer form through the promote mechanism.
#include "active_window.h"
#include "support/install_scripted.h"
#include "ui/events.h"
#include "ui_drop_down_probe.h"

#include <QAbstractItemView>
#include <gtest/gtest.h>

namespace {

class DropDownProbe : public QWidget {
public:
    DropDownProbe() {
        ui.setupUi(this);
        ui::onDropDown(ui.Cbo_MotifFinContrat, this, &DropDownProbe::Cbo_MotifFinContrat_DropDown);
    }

    // Loads the reasons on the first drop-down only.
    void Cbo_MotifFinContrat_DropDown() {
        ++dropDowns;
        popupWasOpen = ui.Cbo_MotifFinContrat->view()->isVisible();
        if (ui.Cbo_MotifFinContrat->count() == 0)
            ui.Cbo_MotifFinContrat->addItems({QStringLiteral("Démission"), QStringLiteral("Licenciement")});
    }

    Ui::DropDownProbe ui;
    int dropDowns = 0;
    bool popupWasOpen = true;
};

TEST(DropDown, RaisedBeforeTheListOpensSoItCanFillIt) {
    InstallScripted scripted;
    DropDownProbe form;
    ASSERT_TRUE(showActive(form));
    auto* combo = form.ui.Cbo_MotifFinContrat;
    ASSERT_EQ(combo->count(), 0);

    QTest::keyClick(combo, Qt::Key_F4); // the keyboard way to open the list
    EXPECT_EQ(form.dropDowns, 1);
    EXPECT_FALSE(form.popupWasOpen);
    EXPECT_TRUE(combo->view()->isVisible());
    EXPECT_EQ(combo->view()->model()->rowCount(), 2);
    combo->hidePopup();

    combo->showPopup();
    EXPECT_EQ(form.dropDowns, 2);
    EXPECT_EQ(combo->count(), 2) << "filled once";
    combo->hidePopup();
}

} // namespace
