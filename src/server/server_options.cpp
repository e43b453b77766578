#include "server_options.h"

#include <optional>

#include "common/failure.h"
#include "common/text.h"

namespace kestrine::server {

ServerOptions ParseServerOptions(const std::vector<std::u16string>& args) {
    ServerOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::u16string& option = args[i];
        if (option != u"--host" && option != u"--rescan") {
            throw Failure(u"unknown option " + option);
        }
        if (i + 1 >= args.size()) {
            throw Failure(option + u" needs a value");
        }
        const std::u16string& value = args[++i];
        if (option == u"--rescan") {
            const std::optional<std::int32_t> seconds = ParseInt32(value);
            if (!seconds || *seconds < 1) {
                throw Failure(u"--rescan needs a number of seconds above 0");
            }
            options.rescanSeconds = *seconds;
            continue;
        }
        const std::size_t equals = value.find(u'=');
        if (equals == std::u16string::npos || equals == 0 || equals + 1 == value.size()) {
            throw Failure(u"--host needs NAME=FOLDER");
        }
        HostOption host{value.substr(0, equals), value.substr(equals + 1)};
        if (host.name.find_first_of(u"\\/,: ") != std::u16string::npos) {
            throw Failure(u"a host name is a plain computer name: " + host.name);
        }
        options.hosts.push_back(std::move(host));
    }
    if (options.hosts.empty()) {
        throw Failure(u"at least one --host is needed");
    }
    return options;
}

}  // namespace kestrine::server
