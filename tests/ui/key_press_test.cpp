// KeyPress: the handler sees character keys, may replace or drop them;
// navigation keys never reach it.
#include "active_window.h"
#include "support/install_scripted.h"
#include "ui/events.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <vector>

namespace {

// The date key filter of the editor: Backspace and digits pass, any other
// character becomes "/".
void dateKeyFilter(int& ascii) {
    if (ascii != 8 && (ascii < '0' || ascii > '9'))
        ascii = '/';
}

class KeyForm : public QWidget {
public:
    KeyForm() {
        auto* layout = new QVBoxLayout(this);
        Txt_Saisie = new QLineEdit(this);
        Txt_Suivant = new QLineEdit(this);
        Cbo_Nom = new QComboBox(this);
        Cbo_Nom->setEditable(true);
        layout->addWidget(Txt_Saisie);
        layout->addWidget(Txt_Suivant);
        layout->addWidget(Cbo_Nom);
        ui::onKeyPress(Txt_Saisie, this, &KeyForm::Txt_Saisie_KeyPress);
        ui::onKeyPress(Cbo_Nom, this, &KeyForm::Cbo_Nom_KeyPress);
    }

    void Txt_Saisie_KeyPress(int& ascii) {
        seen.push_back(ascii);
        if (filter)
            filter(ascii);
    }
    void Cbo_Nom_KeyPress(int& ascii) {
        seen.push_back(ascii);
        if (ascii == 13)
            ascii = 0;
        else
            ascii = QChar(ascii).toUpper().unicode();
    }

    QLineEdit* Txt_Saisie;
    QLineEdit* Txt_Suivant;
    QComboBox* Cbo_Nom;
    std::vector<int> seen;
    std::function<void(int&)> filter;
};

class KeyPressTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(showActive(form));
        form.Txt_Saisie->setFocus();
    }
    InstallScripted scripted;
    KeyForm form;
};

TEST_F(KeyPressTest, DateFilterReplacesEveryNonDigitBySlash) {
    form.filter = dateKeyFilter;
    QTest::keyClicks(form.Txt_Saisie, QStringLiteral("12a05a2024"));
    EXPECT_EQ(form.Txt_Saisie->text(), QStringLiteral("12/05/2024"));
    // A non-ASCII character reaches the filter as its code and is replaced too.
    form.seen.clear();
    QTest::sendKeyEvent(QTest::Click, form.Txt_Saisie, Qt::Key_unknown, QStringLiteral("é"), Qt::NoModifier);
    EXPECT_EQ(form.Txt_Saisie->text(), QStringLiteral("12/05/2024/"));
    EXPECT_EQ(form.seen, std::vector<int>{0xe9});
    // Backspace reaches the filter as 8 and still erases.
    QTest::keyClick(form.Txt_Saisie, Qt::Key_Backspace);
    EXPECT_EQ(form.Txt_Saisie->text(), QStringLiteral("12/05/2024"));
    EXPECT_EQ(form.seen, (std::vector<int>{0xe9, 8}));
}

TEST_F(KeyPressTest, SettingZeroDropsTheKeyAndEnterArrivesAs13) {
    form.filter = [](int& ascii) {
        if (ascii == 'x')
            ascii = 0;
    };
    QTest::keyClicks(form.Txt_Saisie, QStringLiteral("axbxc"));
    QTest::keyClick(form.Txt_Saisie, Qt::Key_Return);
    QTest::keyClick(form.Txt_Saisie, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(form.Txt_Saisie->text(), QStringLiteral("abc"));
    EXPECT_EQ(form.seen, (std::vector<int>{'a', 'x', 'b', 'x', 'c', 13, 13}));
}

TEST_F(KeyPressTest, NavigationAndEditingKeysPassUntouched) {
    // A filter that turns everything into "/" must not break the cursor keys,
    // Delete, Escape or Tab.
    form.filter = [](int& ascii) { ascii = '/'; };
    form.Txt_Saisie->setText(QStringLiteral("abc"));
    form.Txt_Saisie->setCursorPosition(3);
    QTest::keyClick(form.Txt_Saisie, Qt::Key_Left);
    QTest::keyClick(form.Txt_Saisie, Qt::Key_Home);
    QTest::keyClick(form.Txt_Saisie, Qt::Key_Delete);
    QTest::keyClick(form.Txt_Saisie, Qt::Key_Escape);
    EXPECT_EQ(form.Txt_Saisie->text(), QStringLiteral("bc"));
    EXPECT_TRUE(form.seen.empty());

    QTest::keyClick(form.Txt_Saisie, Qt::Key_Tab);
    EXPECT_TRUE(form.Txt_Suivant->hasFocus());
    EXPECT_TRUE(form.seen.empty());
}

TEST_F(KeyPressTest, WorksOnAnEditableCombo) {
    form.Cbo_Nom->setFocus();
    QTest::keyClicks(form.Cbo_Nom, QStringLiteral("dup"));
    QTest::keyClick(form.Cbo_Nom, Qt::Key_Return);
    EXPECT_EQ(form.Cbo_Nom->currentText(), QStringLiteral("DUP"));
    EXPECT_EQ(form.seen, (std::vector<int>{'d', 'u', 'p', 13}));
    // The dropped Enter did not add the text as an item.
    EXPECT_EQ(form.Cbo_Nom->count(), 0);
}

// A handler that gives its own box the focus for the first time makes the
// box's completer install its filter: the handler still sees the key once.
TEST_F(KeyPressTest, HandlerSeesEachKeyOnceWhenItFocusesAComboForTheFirstTime) {
    int calls = 0;
    QComboBox other;
    other.setEditable(true);
    other.addItems({"DURAND", "DUPONT"});
    other.setCurrentIndex(-1);
    form.layout()->addWidget(&other);
    other.show();
    QApplication::processEvents();
    ui::onKeyPress(&other, &form, [&](int&) {
        ++calls;
        other.setFocus();
    });
    ASSERT_FALSE(other.hasFocus());
    QTest::keyClick(&other, Qt::Key_D);
    EXPECT_EQ(calls, 1);
    QTest::keyClicks(&other, "UR");
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(other.currentText().startsWith("dUR")) << other.currentText().toStdString();
}

} // namespace
