#include "ui/drop_down_combo_box.h"

namespace ui {

DropDownComboBox::DropDownComboBox(QWidget* parent) : QComboBox(parent) {}

void DropDownComboBox::showPopup() {
    emit dropDown();
    QComboBox::showPopup();
}

} // namespace ui
