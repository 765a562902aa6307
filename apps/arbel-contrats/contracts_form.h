#pragma once
// The host's form on which the contract browser is placed. The browser
// closes it when the user leaves with "Retour".
#include <QWidget>

class ContractsForm : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};
