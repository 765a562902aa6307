#include "rules/date_entry.h"

#include "data/dates.h"

namespace rules {

int FiltreToucheDate(int ascii) {
    if (ascii == 8 || (ascii >= '0' && ascii <= '9'))
        return ascii;
    return '/';
}

DateEntry ControleDate(const QString& typed, const QDate& today) {
    DateEntry entry;
    entry.text = typed;
    if (typed.isEmpty())
        return entry;
    const data::dates::Completion completion = data::dates::CompleteDate(typed, today);
    entry.text = completion.text;
    if (completion.rejected) {
        entry.refocus = true;
        return entry;
    }
    entry.stored = data::dates::DateToInternal(entry.text);
    if (entry.stored.isEmpty()) {
        entry.refocus = true;
        entry.message = QString::fromUtf8(MessageDateErronee);
    }
    return entry;
}

QString DateAvantDebut(const QString& box, const QString& date, const QString& start) {
    static const struct {
        const char* box;
        const char* message;
    } boxes[] = {{"Txt_DernJrWContrat", "Erreur la date du dernier jour travaillé ne peut être inférieure à la date de "
                                        "début du contrat, veuillez la ressaisir."},
                 {"Txt_FinReelle", "Erreur la date de fin réelle ne peut être inférieure à la date de début du "
                                   "contrat, veuillez la ressaisir."},
                 {"Txt_DatNotifContrat", "Erreur la date de notification de licenciement / démission ne peut être "
                                         "inférieure à la date de début du contrat, veuillez la ressaisir."}};
    const QString day = data::dates::DateToInternal(date.trimmed());
    const QString first = data::dates::DateToInternal(start.trimmed());
    if (day.isEmpty() || first.isEmpty() || day.toLongLong() >= first.toLongLong())
        return {};
    for (const auto& b : boxes)
        if (box == QLatin1String(b.box))
            return QString::fromUtf8(b.message);
    return {};
}

} // namespace rules
