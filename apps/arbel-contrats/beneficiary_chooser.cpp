#include "beneficiary_chooser.h"

#include "data/table_fields.h"
#include "data/tables.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Case and accents do not matter when searching a name: "noel" finds "NOËL".
QString Fold(const QString& text) {
    QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    for (QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            out += c.toLower();
    return out;
}
} // namespace

BeneficiaryChooser::BeneficiaryChooser(dba::Database db, QWidget* parent)
    : QWidget(parent), db_(std::move(db)) {
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Choix de l'aidé"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);

    auto* searchRow = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Nom ou code :"), this);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("Txt_RechercheAide"));
    search_->setPlaceholderText(QStringLiteral("début du nom, du prénom ou du code"));
    label->setBuddy(search_);
    searchRow->addWidget(label);
    searchRow->addWidget(search_, 1);
    layout->addLayout(searchRow);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("Lst_Aides"));
    layout->addWidget(list_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    open_ = new QPushButton(QStringLiteral("Voir les contrats"), this);
    open_->setObjectName(QStringLiteral("Cmd_VoirContrats"));
    open_->setDefault(true);
    buttons->addWidget(open_);
    layout->addLayout(buttons);

    connect(search_, &QLineEdit::textChanged, this, &BeneficiaryChooser::ApplyFilter);
    connect(search_, &QLineEdit::returnPressed, this, &BeneficiaryChooser::ChooseCurrent);
    connect(list_, &QListWidget::itemDoubleClicked, this, &BeneficiaryChooser::ChooseCurrent);
    connect(open_, &QPushButton::clicked, this, &BeneficiaryChooser::ChooseCurrent);
    Reload();
}

void BeneficiaryChooser::Reload() {
    all_.clear();
    const std::string fields =
        "0 " + std::to_string(data::civilaide::Nom) + " " + std::to_string(data::civilaide::Prenom);
    const dba::ResultList rows =
        db_.SelectRecords(std::string("SSELECT ") + data::tables::CIVILAIDE + " PAR 2 PAR 3", fields);
    for (int r = 1; r <= rows.DCount(); ++r) {
        Beneficiary b;
        b.code = QString::fromStdString(rows.Item(r, 1));
        b.name = (QString::fromStdString(rows.Item(r, 2)) + QLatin1Char(' ') +
                  QString::fromStdString(rows.Item(r, 3)))
                     .trimmed();
        b.folded = Fold(b.code + QLatin1Char(' ') + b.name);
        all_.push_back(b);
    }
    ApplyFilter();
}

void BeneficiaryChooser::ApplyFilter() {
    const QStringList words = Fold(search_->text()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    list_->clear();
    for (const Beneficiary& b : all_) {
        bool match = true;
        for (const QString& word : words)
            match = match && b.folded.contains(word);
        if (!match)
            continue;
        auto* item = new QListWidgetItem(b.code + QStringLiteral("   ") + b.name, list_);
        item->setData(Qt::UserRole, b.code);
        item->setData(Qt::UserRole + 1, b.name);
    }
    if (list_->count() > 0)
        list_->setCurrentRow(0);
    open_->setEnabled(list_->count() > 0);
}

bool BeneficiaryChooser::Select(const QString& code) {
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->data(Qt::UserRole).toString() == code) {
            list_->setCurrentRow(i);
            return true;
        }
    }
    return false;
}

QString BeneficiaryChooser::NameOf(const QString& code) const {
    for (const Beneficiary& b : all_)
        if (b.code == code)
            return b.name;
    return {};
}

void BeneficiaryChooser::ChooseCurrent() {
    QListWidgetItem* item = list_->currentItem();
    if (!item)
        return;
    emit chosen(item->data(Qt::UserRole).toString(), item->data(Qt::UserRole + 1).toString());
}
