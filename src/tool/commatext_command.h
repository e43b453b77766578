#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrine {

// "kestrine commatext read TEXT" / "kestrine commatext write [ENTRY...]"; args start after
// "commatext". Returns the exit status.
int RunCommatextCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kestrine
