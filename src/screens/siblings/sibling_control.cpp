#include "screens/siblings/sibling_control.h"

namespace screens::siblings {

SiblingControl::SiblingControl(QWidget* parent) : QWidget(parent) {}

void SiblingControl::Sortir() {
    if (sortir_)
        return;
    sortir_ = true;
    emit Sortie();
}

} // namespace screens::siblings
