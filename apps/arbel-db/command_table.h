#pragma once
// The console's commands. Each command lives in its own file as a function
// taking a CommandContext; adding one is one line in Commands().
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace console {

struct OptionSpec {
    std::string name; // "--json"
    bool takesValue = false;
};

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options; // given options; flags map to ""
    bool Has(const std::string& name) const { return options.count(name) != 0; }
    std::string Value(const std::string& name, const std::string& fallback = {}) const {
        auto it = options.find(name);
        return it == options.end() ? fallback : it->second;
    }
};

struct CommandContext {
    std::string databasePath; // the FILE argument
    Arguments args;
    std::ostream& out;
};

// Returns the exit code (0 done, 1 data problem found). Errors are thrown:
// dba::Error and ConsoleError for data, UsageError for the command line.
using CommandHandler = int (*)(CommandContext&);

struct Command {
    const char* name;
    const char* synopsis; // arguments after the command name
    const char* summary;  // one line for --help
    int minArgs, maxArgs; // positional arguments
    std::vector<OptionSpec> options;
    CommandHandler run;
};

const std::vector<Command>& Commands();
const Command* FindCommand(const std::string& name);

// "usage: arbel-db FILE COMMAND ..." for one command, or the general line.
std::string UsageLine(const Command* command);
// The whole --help text.
std::string HelpText();

} // namespace console
