#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrine {

// Runs the kestrine command line (arguments without the program name, UTF-8) and returns
// the exit status: 0 success, 1 failure, 2 usage error.
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kestrine
