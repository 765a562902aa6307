#include "documents/document.h"

#include "data/contrat_fields.h"
#include "data/tables.h"
#include "documents/modeles.h"

#include <QAbstractTextDocumentLayout>
#include <algorithm>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <cmath>

namespace documents {

namespace {

const QString Police = QStringLiteral("DejaVu Serif");
const QString PoliceEntete = QStringLiteral("DejaVu Sans");

QString MessageModeleAbsent(Genre genre, const std::string& selecteur, const std::string& cle) {
    const QString entite = QString::fromStdString(selecteur.substr(0, 3));
    const QString convention = QString::fromStdString(selecteur.size() > 3 ? selecteur.substr(3) : std::string());
    return QStringLiteral("Aucun modèle %1 n'est défini pour l'association %2 et la convention collective %3 "
                          "(modèle %4 de la table MODELEDOC) : rien n'est imprimé.")
        .arg(genre == Genre::Contrat ? QStringLiteral("de contrat de travail") : QStringLiteral("d'avenant"),
             entite, convention, QString::fromStdString(cle));
}

QString Sujet(const DonneesDocument& d) {
    return d.genre == Genre::Contrat
               ? QStringLiteral("Le contrat ") + QString::fromStdString(d.cleContrat)
               : QStringLiteral("L'avenant n° ") + d.numeroAvenant + QStringLiteral(" du contrat ") +
                     QString::fromStdString(d.cleContrat);
}

QString Enumerer(const QStringList& items) {
    if (items.size() <= 1)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" et ") + items.last();
}

// Millimetres to device pixels.
struct Mesure {
    double dpi;
    double operator()(double mm) const { return mm * dpi / 25.4; }
};

struct Page {
    QRectF corps, entete, pied;
};

Page Gabarit(QPrinter& printer) {
    const Mesure mm{static_cast<double>(printer.resolution())};
    const QRectF full = printer.pageLayout().fullRectPixels(printer.resolution());
    Page p;
    const double gauche = mm(22), droite = mm(20);
    p.entete = QRectF(gauche, mm(12), full.width() - gauche - droite, mm(14));
    p.pied = QRectF(gauche, full.height() - mm(20), full.width() - gauche - droite, mm(10));
    p.corps = QRectF(gauche, p.entete.bottom() + mm(6), p.entete.width(), p.pied.top() - mm(6) - p.entete.bottom() - mm(6));
    return p;
}

// French typography: no line break inside guillemets or before the high
// punctuation marks.
QString Typographie(QString text) {
    const QChar insecable(0x00A0);
    text.replace(QStringLiteral("« "), QStringLiteral("«") + insecable);
    text.replace(QStringLiteral(" »"), insecable + QStringLiteral("»"));
    for (const char* mark : {" :", " ;", " !", " ?"})
        text.replace(QString::fromLatin1(mark), insecable + QString::fromLatin1(mark + 1));
    return text;
}

void Composer(QTextDocument& doc, const DocumentPret& document) {
    QFont base(Police);
    base.setPointSizeF(10);
    doc.setDefaultFont(base);
    doc.setDocumentMargin(0);
    QTextCursor cursor(&doc);

    QTextBlockFormat titre;
    titre.setAlignment(Qt::AlignCenter);
    titre.setBottomMargin(4);
    QTextCharFormat titreTexte;
    titreTexte.setFont(base);
    titreTexte.setFontPointSize(14);
    titreTexte.setFontWeight(QFont::Bold);
    cursor.setBlockFormat(titre);
    cursor.setCharFormat(titreTexte);
    cursor.insertText(Typographie(document.fusion.titre), titreTexte);

    QTextBlockFormat sousTitre;
    sousTitre.setAlignment(Qt::AlignCenter);
    sousTitre.setBottomMargin(14);
    QTextCharFormat sousTitreTexte;
    sousTitreTexte.setFont(base);
    sousTitreTexte.setFontPointSize(9.5);
    sousTitreTexte.setFontItalic(true);
    cursor.insertBlock(sousTitre, sousTitreTexte);
    // An amendment's title already gives its number: under it, its contract.
    cursor.insertText(document.donnees.genre == Genre::Contrat
                          ? document.donnees.reference
                          : QStringLiteral("Contrat n° ") + QString::fromStdString(document.donnees.cleContrat));

    QTextBlockFormat texte;
    texte.setAlignment(Qt::AlignJustify);
    texte.setBottomMargin(5);
    texte.setLineHeight(118, QTextBlockFormat::ProportionalHeight);
    QTextCharFormat normal;
    normal.setFont(base);
    QTextBlockFormat intertitre;
    intertitre.setTopMargin(9);
    intertitre.setBottomMargin(3);
    QTextCharFormat gras = normal;
    gras.setFontWeight(QFont::Bold);
    gras.setFontPointSize(10.5);
    QTextListFormat puces;
    puces.setStyle(QTextListFormat::ListDisc);
    puces.setIndent(1);

    QTextList* liste = nullptr;
    for (const Paragraphe& p : document.fusion.paragraphes) {
        switch (p.sorte) {
        case Paragraphe::Sorte::Titre:
            liste = nullptr;
            cursor.insertBlock(intertitre, gras);
            break;
        case Paragraphe::Sorte::Puce:
            cursor.insertBlock(texte, normal);
            if (liste)
                liste->add(cursor.block());
            else
                liste = cursor.createList(puces);
            break;
        case Paragraphe::Sorte::Texte:
            liste = nullptr;
            cursor.insertBlock(texte, normal);
            break;
        }
        cursor.insertText(Typographie(p.texte), p.sorte == Paragraphe::Sorte::Titre ? gras : normal);
    }
}

void DessinerEntete(QPainter& painter, const Page& page, const DonneesDocument& d, const Mesure& mm) {
    QFont nom(PoliceEntete);
    nom.setPointSizeF(10.5);
    nom.setBold(true);
    QFont petit(PoliceEntete);
    petit.setPointSizeF(8.5);
    painter.setPen(Qt::black);
    painter.setFont(nom);
    painter.drawText(page.entete, Qt::AlignLeft | Qt::AlignTop, d.association);
    painter.setFont(petit);
    painter.drawText(page.entete, Qt::AlignLeft | Qt::AlignBottom,
                     d.genre == Genre::Contrat ? QStringLiteral("Contrat de travail")
                                               : QStringLiteral("Avenant au contrat de travail"));
    painter.drawText(page.entete, Qt::AlignRight | Qt::AlignBottom, d.reference);
    painter.setPen(QPen(Qt::darkGray, mm(0.3)));
    painter.drawLine(QPointF(page.entete.left(), page.entete.bottom() + mm(1.5)),
                     QPointF(page.entete.right(), page.entete.bottom() + mm(1.5)));
}

void DessinerPied(QPainter& painter, const Page& page, int numero, int total, bool derniere, const Mesure& mm) {
    QFont petit(PoliceEntete);
    petit.setPointSizeF(8.5);
    painter.setPen(QPen(Qt::darkGray, mm(0.3)));
    painter.drawLine(page.pied.topLeft(), page.pied.topRight());
    painter.setPen(Qt::black);
    painter.setFont(petit);
    const QRectF zone = page.pied.adjusted(0, mm(2), 0, 0);
    if (!derniere)
        painter.drawText(zone, Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("Paraphes :   l'employeur ________   le salarié ________"));
    painter.drawText(zone, Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("Page %1 / %2").arg(numero).arg(total));
}

// The signatures: place and date, then one block per party, side by side.
double HauteurSignatures(const Mesure& mm) {
    return mm(62);
}

void DessinerSignatures(QPainter& painter, const QRectF& zone, const DonneesDocument& d, const Mesure& mm) {
    QFont texte(Police);
    texte.setPointSizeF(10);
    QFont gras = texte;
    gras.setBold(true);
    QFont petit = texte;
    petit.setPointSizeF(8.5);
    petit.setItalic(true);
    painter.setPen(Qt::black);
    painter.setFont(texte);
    const QString lieu = d.lieuSignature.isEmpty() ? QStringLiteral("____________________") : d.lieuSignature;
    QRectF ligne(zone.left(), zone.top(), zone.width(), mm(7));
    painter.drawText(ligne, Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Fait à %1, le %2, en deux exemplaires originaux.").arg(lieu, d.dateSignature));
    const double largeur = (zone.width() - mm(10)) / 2;
    const double haut = ligne.bottom() + mm(5);
    const struct {
        QString role, nom;
    } parties[] = {{QStringLiteral("L'employeur"), d.employeur}, {QStringLiteral("Le salarié"), d.salarie}};
    for (int i = 0; i < 2; ++i) {
        const QRectF bloc(zone.left() + i * (largeur + mm(10)), haut, largeur, zone.bottom() - haut);
        painter.setPen(QPen(Qt::gray, mm(0.25)));
        painter.drawRect(bloc);
        painter.setPen(Qt::black);
        const QRectF interieur = bloc.adjusted(mm(3), mm(2), -mm(3), -mm(2));
        painter.setFont(gras);
        painter.drawText(interieur, Qt::AlignLeft | Qt::AlignTop, parties[i].role);
        painter.setFont(texte);
        painter.drawText(interieur.adjusted(0, mm(5.5), 0, 0), Qt::AlignLeft | Qt::AlignTop, parties[i].nom);
        painter.setFont(petit);
        painter.drawText(interieur.adjusted(0, mm(11), 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         QStringLiteral("Date et signature, précédées de la mention manuscrite « lu et approuvé »"));
    }
}

} // namespace

void PreparerImprimante(QPrinter& printer, const DocumentPret& document) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setDocName(document.donnees.reference);
    printer.setCreator(QStringLiteral("ARBELDONE Contrats"));
}

Preparation PreparerDocument(const dba::Database& db, const std::string& cleDocument, const std::string& selecteur,
                             const QDate& today) {
    Preparation preparation;
    LectureDonnees lecture = LireDonnees(db, cleDocument, today);
    if (!lecture.donnees) {
        preparation.erreur = lecture.erreur;
        return preparation;
    }
    const Genre genre = lecture.donnees->genre;
    std::optional<Modele> modele;
    try {
        modele = LireModele(db, selecteur, genre);
    } catch (const dba::Error& error) {
        preparation.erreur = QStringLiteral("Le document ne peut pas être préparé : la table MODELEDOC ne peut pas "
                                            "être lue (%1).")
                                 .arg(QString::fromStdString(error.what()));
        return preparation;
    }
    const std::string cle = CleModele(selecteur, genre);
    if (!modele || (modele->titre.isEmpty() && modele->paragraphes.isEmpty())) {
        preparation.erreur = MessageModeleAbsent(genre, selecteur, cle);
        return preparation;
    }
    Fusion fusion = Fusionner(*modele, genre, lecture.donnees->valeurs);
    if (!fusion.inconnus.isEmpty()) {
        preparation.erreur = QStringLiteral("Le modèle de document %1 contient %2 : %3. Corrigez le modèle : "
                                            "rien n'est imprimé.")
                                 .arg(QString::fromStdString(cle),
                                      fusion.inconnus.size() > 1 ? QStringLiteral("des champs inconnus")
                                                                 : QStringLiteral("un champ inconnu"),
                                      fusion.inconnus.join(QStringLiteral(", ")));
        return preparation;
    }
    if (!fusion.manquants.isEmpty()) {
        preparation.erreur = QStringLiteral("%1 ne peut pas être imprimé : il manque %2. Complétez le contrat, puis "
                                            "imprimez de nouveau.")
                                 .arg(Sujet(*lecture.donnees), Enumerer(fusion.manquants));
        return preparation;
    }
    preparation.document = DocumentPret{std::move(*lecture.donnees), std::move(fusion), cle};
    return preparation;
}

void Dessiner(const DocumentPret& document, QPrinter& printer) {
    const Page page = Gabarit(printer);
    const Mesure mm{static_cast<double>(printer.resolution())};

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&printer);
    Composer(doc, document);
    doc.setPageSize(page.corps.size());

    const double hauteur = page.corps.height();
    const int pagesTexte = std::max(1, doc.pageCount());
    const double fin = doc.documentLayout()->blockBoundingRect(doc.lastBlock()).bottom();
    const double reste = pagesTexte * hauteur - fin;
    const bool pageEnPlus = reste < HauteurSignatures(mm) + mm(6);
    const int total = pagesTexte + (pageEnPlus ? 1 : 0);

    QPainter painter(&printer);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < total; ++i) {
        if (i > 0)
            printer.newPage();
        if (i < pagesTexte) {
            painter.save();
            painter.translate(page.corps.left(), page.corps.top() - i * hauteur);
            const QRectF visible(0, i * hauteur, page.corps.width(), hauteur);
            painter.setClipRect(visible);
            doc.drawContents(&painter, visible);
            painter.restore();
        }
        DessinerEntete(painter, page, document.donnees, mm);
        const bool derniere = i == total - 1;
        if (derniere) {
            const QRectF zone(page.corps.left(), page.corps.bottom() - HauteurSignatures(mm), page.corps.width(),
                              HauteurSignatures(mm));
            DessinerSignatures(painter, zone, document.donnees, mm);
        }
        DessinerPied(painter, page, i + 1, total, derniere, mm);
    }
    painter.end();
}

std::string SelecteurDuContrat(const dba::Database& db, const std::string& cleDocument) {
    namespace c = data::contrat;
    const dba::Table contracts = db.OpenTable(data::tables::CONTRAT);
    std::string cle = cleDocument;
    if (!contracts.Exists(cle) && cle.size() > static_cast<size_t>(c::LongueurCle))
        cle = cle.substr(0, c::LongueurCle);
    const dba::Record r = contracts.ReadRecordOrEmpty(cle);
    if (r.Item().empty())
        return {};
    return r.Item(c::EntiteJuridique) + r.Item(c::ConventionCollective);
}

QString EcrirePdf(const dba::Database& db, const std::string& cleDocument, const std::string& selecteur,
                  const QString& path, const QDate& today) {
    const Preparation preparation = PreparerDocument(db, cleDocument, selecteur, today);
    if (!preparation.document)
        return preparation.erreur;
    QPrinter printer(QPrinter::HighResolution);
    PreparerImprimante(printer, *preparation.document);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    Dessiner(*preparation.document, printer);
    if (printer.printerState() == QPrinter::Error || !QFile::exists(path)) {
        QFile::remove(path);
        return QStringLiteral("Le fichier %1 ne peut pas être écrit.").arg(path);
    }
    return {};
}

} // namespace documents
