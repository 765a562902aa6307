#include "command_line.h"

#include "console_errors.h"

#include "dba/errors.h"

namespace console {

namespace {

const OptionSpec* FindOption(const Command& command, const std::string& name) {
    for (const auto& option : command.options)
        if (option.name == name)
            return &option;
    return nullptr;
}

} // namespace

Arguments ParseArguments(const Command& command, const std::vector<std::string>& words) {
    Arguments args;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.size() < 2 || word.compare(0, 2, "--") != 0) {
            args.positional.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        const OptionSpec* option = FindOption(command, name);
        if (!option)
            throw UsageError("option inconnue : " + dba::Shown(name), command.name);
        if (args.Has(name))
            throw UsageError("option répétée : " + dba::Shown(name), command.name);
        if (!option->takesValue) {
            if (equals != std::string::npos)
                throw UsageError("l'option " + dba::Shown(name) + " ne prend pas de valeur", command.name);
            args.options[name] = "";
        } else if (equals != std::string::npos) {
            args.options[name] = word.substr(equals + 1);
        } else {
            if (i + 1 >= words.size())
                throw UsageError("valeur manquante pour " + dba::Shown(name), command.name);
            args.options[name] = words[++i];
        }
    }
    const int count = static_cast<int>(args.positional.size());
    if (count < command.minArgs)
        throw UsageError("argument manquant", command.name);
    if (count > command.maxArgs)
        throw UsageError("argument en trop : " + dba::Shown(args.positional[static_cast<std::size_t>(command.maxArgs)]),
                         command.name);
    return args;
}

bool AsksForHelp(const std::vector<std::string>& words) {
    for (const auto& word : words) {
        if (word == "--")
            return false;
        if (word == "--help" || word == "-h")
            return true;
    }
    return false;
}

} // namespace console
