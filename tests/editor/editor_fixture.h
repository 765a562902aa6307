#pragma once
// A beneficiary employing one helper under agreement "02", the browser on
// that beneficiary, and the editor opened from it by a double click.
#include "control/ctr_contrat.h"
#include "editor/frm_elements_contrat.h"
#include "support/install_scripted.h"
#include "support/library_fixture.h"

#include <QListWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

class EditorTest : public ::testing::Test {
protected:
    InstallScripted scripted;
    LibraryDatabase lib;
    QWidget hostForm;
    Ctr_Contrat* browser = nullptr;

    void SetUp() override;

    // The contract 50001001 of beneficiary 00100, open-ended, monthly,
    // production, paid by the association with leave provision; the last
    // pay period 202611 is calculated and invoiced ("F"). Its initial terms
    // and one amendment (01/01/2024): 20 hours a week, paid by a rate, with
    // a modulation agreement.
    void PutContract(std::initializer_list<std::pair<int, std::string>> more = {});
    // Creates the browser for beneficiary 00100 and lists every contract.
    void OpenBrowser(const std::string& user = "plein");
    // Double-clicks the contract's line; `whileOpen` runs while the editor
    // is shown, then "Retour" closes it (unless `whileOpen` did).
    void OpenEditor(const std::function<void(Frm_ElementsContrat&)>& whileOpen);
    QStringList ListedKeys() const;

    template <class T> static T* child(QWidget& form, const char* name) {
        T* w = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void SelectTab(Frm_ElementsContrat& editor, int tab);
    static void ClickButton(Frm_ElementsContrat& editor, const char* name);
};
