#include "error_report.h"

#include "dba/errors.h"

#include <cstdio>

namespace console {

namespace {

const char* KindOf(const dba::Error& error) {
    if (dynamic_cast<const dba::RecordNotFound*>(&error))
        return "RecordNotFound";
    if (dynamic_cast<const dba::TableNotFound*>(&error))
        return "TableNotFound";
    if (dynamic_cast<const dba::QuerySyntaxError*>(&error))
        return "QuerySyntaxError";
    if (dynamic_cast<const dba::RecordLocked*>(&error))
        return "RecordLocked";
    if (dynamic_cast<const dba::DatabaseReadOnly*>(&error))
        return "DatabaseReadOnly";
    if (dynamic_cast<const dba::DatabaseBusy*>(&error))
        return "DatabaseBusy";
    if (dynamic_cast<const dba::DatabaseDamaged*>(&error))
        return "DatabaseDamaged";
    if (dynamic_cast<const dba::StorageError*>(&error))
        return "StorageError";
    if (dynamic_cast<const dba::InvalidValue*>(&error))
        return "InvalidValue";
    if (dynamic_cast<const dba::UnknownName*>(&error))
        return "UnknownName";
    return "Error";
}

} // namespace

std::string DescribeError(const std::exception& error) {
    const auto* engine = dynamic_cast<const dba::Error*>(&error);
    if (!engine)
        return error.what();
    char number[16];
    std::snprintf(number, sizeof number, "%08X", static_cast<unsigned>(engine->number()));
    return std::string(error.what()) + " [" + KindOf(*engine) + ", " + number + "]";
}

} // namespace console
