#pragma once
// The console's own failures. A usage error (exit 2) means the command line
// itself is wrong; a console error (exit 1) is about the data, like the
// engine's dba::Error.
#include <stdexcept>
#include <string>

namespace console {

class UsageError : public std::runtime_error {
public:
    // `command` names the command whose usage line should be shown ("" for
    // the general one).
    UsageError(const std::string& message, std::string command = {})
        : std::runtime_error(message), command_(std::move(command)) {}
    const std::string& command() const noexcept { return command_; }

private:
    std::string command_;
};

class ConsoleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace console
