#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrine::server {

struct HostOption {
    std::u16string name;    // computer name, shown as "\\NAME"
    std::u16string folder;  // the folder tree indexed for it
};

struct ServerOptions {
    std::vector<HostOption> hosts;
    std::int32_t rescanSeconds = 0;  // 0: index once at start
};

inline constexpr char kServerUsage[] =
    "usage: server --host NAME=FOLDER [--host NAME=FOLDER ...] [--rescan SECONDS]\n";

// Reads the command line (without the program name). Throws Failure with the reason.
ServerOptions ParseServerOptions(const std::vector<std::u16string>& args);

}  // namespace kestrine::server
