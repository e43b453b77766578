#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrine {

// "kestrine request search|browse [--option value]...": writes the request document's bytes
// and nothing else. args start after "request". Throws UsageError.
int RunRequestCommand(const std::vector<std::string>& args, std::ostream& out);

}  // namespace kestrine
