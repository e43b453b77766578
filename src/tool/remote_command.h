#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrine {

// "kestrine search ..." and "kestrine browse ..." against a running server; args start with
// the subcommand name. Only the Windows build can reach a server. Returns the exit status.
int RunRemoteCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kestrine
