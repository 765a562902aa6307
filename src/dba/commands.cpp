// Commands other than selections, saved lists and registered routines.
#include "dba/database.h"

#include "dba/errors.h"
#include "dba/session.h"

#include <sstream>

namespace dba {

ResultList Database::RunCommand(const std::string& command) {
    Session& s = dba::Open(session_);
    std::istringstream in(command);
    std::string verb, name, extra;
    in >> verb >> name >> extra;
    if (verb == "EFFACER-LISTE" && !name.empty() && extra.empty()) {
        s.lists.erase(name); // dropping a list that is not there is not an error
        return ResultList();
    }
    throw UnknownName("Commande inconnue : « " + Shown(command) + " »");
}

void Database::SaveList(const std::string& name, const ResultList& list) {
    dba::Open(session_).lists[name] = list;
}

bool Database::HasList(const std::string& name) const {
    return dba::Open(session_).lists.count(name) != 0;
}

void Database::RegisterRoutine(const std::string& name, Routine routine) {
    dba::Open(session_).routines[name] = std::move(routine);
}

ResultList Database::CallRoutine(const std::string& name, const std::string& command) {
    Session& s = dba::Open(session_);
    auto found = s.routines.find(name);
    if (found == s.routines.end())
        throw UnknownName("Routine inconnue : " + Shown(name));
    Routine routine = found->second; // the routine may register others
    return routine(*this, command);
}

} // namespace dba
