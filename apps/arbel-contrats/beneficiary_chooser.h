#pragma once
// The host's first screen: find a beneficiary by name or code.
#include "dba/database.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

class BeneficiaryChooser : public QWidget {
    Q_OBJECT

public:
    explicit BeneficiaryChooser(dba::Database db, QWidget* parent = nullptr);
    // Reloads the beneficiaries (after a change made elsewhere).
    void Reload();
    // Selects the beneficiary `code` if it is listed.
    bool Select(const QString& code);
    // The name and first name of beneficiary `code`, empty when unknown.
    QString NameOf(const QString& code) const;

signals:
    void chosen(const QString& code, const QString& nameAndFirstName);

private:
    void ApplyFilter();
    void ChooseCurrent();

    struct Beneficiary {
        QString code, name, folded;
    };
    dba::Database db_;
    QList<Beneficiary> all_;
    QLineEdit* search_;
    QListWidget* list_;
    QPushButton* open_;
};
