#pragma once
// Reading the contract record as the editor's controls show it.
#include "dba/database.h"

#include <QString>

namespace editor {

// Field f (value v) of `record` as text.
inline QString Champ(const dba::Record& record, int f) {
    return QString::fromStdString(record.Item(f));
}
inline QString Valeur(const dba::Record& record, int f, int v) {
    return QString::fromStdString(record.Item(f, v));
}
// A stored day number shown "dd/mm/yyyy" (empty stays empty).
QString DateChamp(const dba::Record& record, int f);
QString DateValeur(const dba::Record& record, int f, int v);

} // namespace editor
