#include "dba/sql_statement.h"

namespace dba {

Statement::~Statement() {
    if (!owned_)
        stmt_->Reset();
}

} // namespace dba
