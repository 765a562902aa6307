#include "editor/contract_fields_text.h"

#include "data/dates.h"

namespace editor {

QString DateChamp(const dba::Record& record, int f) {
    return data::dates::InternalToDate(Champ(record, f));
}

QString DateValeur(const dba::Record& record, int f, int v) {
    return data::dates::InternalToDate(Valeur(record, f, v));
}

} // namespace editor
