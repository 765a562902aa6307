#pragma once
#include <string>
#include <string_view>

namespace dba {

// Upper-cases UTF-8 text: ASCII, Latin-1 accented letters (é -> É, ÿ -> Ÿ)
// and Latin Extended-A (œ -> Œ). Other characters, and bytes that are not
// part of a valid sequence (the record marks), pass through unchanged.
std::string UpperCase(std::string_view text);

} // namespace dba
