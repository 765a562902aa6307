#include "contracts_form.h"

#include <QCloseEvent>

void ContractsForm::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}
