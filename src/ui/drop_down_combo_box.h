#pragma once
// A combo box that announces its list is about to open, so a form can fill
// the list on demand (the classic DropDown event). Forms get it by promoting
// a QComboBox in Qt Designer to class "ui::DropDownComboBox" with header
// "ui/drop_down_combo_box.h".
#include <QComboBox>

namespace ui {

class DropDownComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DropDownComboBox(QWidget* parent = nullptr);

    // Emits dropDown() first, so that items added by its handlers are in the
    // list when it opens.
    void showPopup() override;

signals:
    void dropDown();
};

} // namespace ui
