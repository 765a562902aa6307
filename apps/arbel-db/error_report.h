#pragma once
// The one-line description of a failure shown to the user: the message,
// then for the engine's errors their kind and number, which support staff
// and host developers search for.
#include <exception>
#include <string>

namespace console {

std::string DescribeError(const std::exception& error);

} // namespace console
