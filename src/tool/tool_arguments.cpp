#include "tool_arguments.h"

#include <algorithm>

#include "common/text.h"

namespace kestrine {

std::int32_t ToolArguments::Int32(std::string_view name, std::int32_t fallback) const {
    const auto found = options.find(name);
    if (found == options.end()) {
        return fallback;
    }
    const auto value = ParseInt32(Utf8ToUtf16(found->second));
    if (!value) {
        throw UsageError("--" + std::string(name) + " needs a 32-bit integer, not \"" +
                         found->second + "\"");
    }
    return *value;
}

std::u16string ToolArguments::Text(std::string_view name) const {
    const auto found = options.find(name);
    return found == options.end() ? std::u16string() : Utf8ToUtf16(found->second);
}

ToolArguments ParseToolArguments(std::span<const std::string> args,
                                 std::initializer_list<std::string_view> optionNames) {
    ToolArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            parsed.positional.push_back(arg);
            continue;
        }
        const std::string name = arg.substr(2);
        if (std::find(optionNames.begin(), optionNames.end(), name) == optionNames.end()) {
            throw UsageError("unknown option " + arg);
        }
        if (i + 1 == args.size()) {
            throw UsageError(arg + " needs a value");
        }
        parsed.options[name] = args[++i];
    }
    return parsed;
}

}  // namespace kestrine
