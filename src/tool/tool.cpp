#include "tool.h"

namespace kestrine {

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    (void)args;
    (void)out;
    err << "usage: kestrine <command> ...\n";
    return 2;
}

}  // namespace kestrine
