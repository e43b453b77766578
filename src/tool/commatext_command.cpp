#include "commatext_command.h"

namespace kestrine {

int RunCommatextCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "commatext: not available yet\n";
    return 2;
}

}  // namespace kestrine
