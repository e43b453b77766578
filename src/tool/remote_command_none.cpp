#include "remote_command.h"

namespace kestrine {

int RunRemoteCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    err << "kestrine " << (args.empty() ? std::string() : args[0])
        << ": reaching a server needs the Windows build\n";
    return 2;
}

}  // namespace kestrine
