#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrine {

// "kestrine decode hosts|search FILE", "kestrine decode folder --folder N FILE": inflates
// an answer body and prints its records as JSON Lines. On a failure the records read so far
// stay on out and the message alone goes to err (status 1). args start after "decode".
// Throws UsageError.
int RunDecodeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kestrine
