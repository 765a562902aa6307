#pragma once
// A table the editor could not read is always named to the user: a
// database error is never taken for an empty answer.
#include <QString>
#include <exception>
#include <string>

namespace editor {

// "Lecture de la table T impossible : <cause>"
QString MessageTableIllisible(const std::string& table, const std::exception& error);
// Shows that message (exclamation, OK).
void SignalerTableIllisible(const std::string& table, const std::exception& error);

} // namespace editor
