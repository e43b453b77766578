#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrine {

// "kestrine search ..." and "kestrine browse ..." against a running server; args start with
// the subcommand name. Only the Windows build can reach a server; elsewhere it says so on
// err. Returns the exit status; throws UsageError, and Failure when the exchange fails.
int RunRemoteCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kestrine
