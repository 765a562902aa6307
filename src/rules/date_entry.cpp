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

} // namespace rules
