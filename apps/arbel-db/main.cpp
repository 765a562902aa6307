// arbel-db FILE COMMAND [ARGS...]: the console of the record database.
// Every failure ends here as a message on stderr and an exit code: 2 for a
// wrong command line, 1 for anything about the data. Nothing escapes.
#include "command_line.h"
#include "command_table.h"
#include "console_errors.h"
#include "error_report.h"

#include "dba/errors.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int ExitData = 1;
constexpr int ExitUsage = 2;

int Run(std::vector<std::string> words) {
    using namespace console;
    // "arbel-db demo FILE" reads as naturally as "arbel-db FILE demo": a
    // command word first and a file second are taken in that order.
    if (words.size() >= 2 && FindCommand(words[0]) && !FindCommand(words[1]))
        std::swap(words[0], words[1]);
    if (AsksForHelp(words)) {
        std::cout << HelpText();
        return 0;
    }
    if (words.empty())
        throw UsageError("fichier de base manquant");
    if (words.size() < 2)
        throw UsageError("commande manquante");
    const Command* command = FindCommand(words[1]);
    if (!command)
        throw UsageError("commande inconnue : " + dba::Shown(words[1]));
    CommandContext context{words[0], ParseArguments(*command, {words.begin() + 2, words.end()}), std::cout};
    const int code = command->run(context);
    std::cout.flush();
    if (!std::cout)
        throw ConsoleError("écriture impossible sur la sortie standard");
    return code;
}

} // namespace

// Every message is one line a person can read: whatever it quotes, what
// is not printable is escaped and its length is bounded.
std::string OneLine(const std::string& message) {
    return dba::Shown(message, 2000);
}

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const console::UsageError& e) {
        std::cerr << "arbel-db: " << OneLine(e.what()) << "\n"
                  << console::UsageLine(console::FindCommand(e.command())) << "\n";
        return ExitUsage;
    } catch (const std::bad_alloc&) {
        std::cerr << "arbel-db: mémoire insuffisante\n";
        return ExitData;
    } catch (const std::exception& e) {
        std::cerr << "arbel-db: " << OneLine(console::DescribeError(e)) << "\n";
        return ExitData;
    } catch (...) {
        std::cerr << "arbel-db: erreur inattendue\n";
        return ExitData;
    }
}
