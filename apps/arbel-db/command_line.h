#pragma once
// Splits a command's arguments into positional arguments and options.
#include "command_table.h"

#include <string>
#include <vector>

namespace console {

// Options may come anywhere: "--name value" or "--name=value" for those
// taking a value, "--name" for flags. "--" ends the options, so a text that
// starts with "--" can still be given. UsageError for an unknown or
// repeated option, a missing value, or a wrong number of arguments.
Arguments ParseArguments(const Command& command, const std::vector<std::string>& words);

// True when the words ask for help ("--help" or "-h" before any "--").
bool AsksForHelp(const std::vector<std::string>& words);

} // namespace console
