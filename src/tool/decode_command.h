#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrine {

// "kestrine decode hosts|search FILE", "kestrine decode folder --folder N FILE": inflates
// an answer body and prints its records as JSON Lines. args start after "decode". Throws
// UsageError, and Failure once the records read so far are on out.
int RunDecodeCommand(const std::vector<std::string>& args, std::ostream& out);

}  // namespace kestrine
