#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kestrine {

// A command line the tool cannot use; RunTool prints the message and the usage text and
// exits with status 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "--name value" options (the last of a repeated name counts) and the remaining arguments.
struct ToolArguments {
    std::map<std::string, std::string, std::less<>> options;
    std::vector<std::string> positional;

    // The option as a signed 32-bit decimal, or fallback when absent.
    std::int32_t Int32(std::string_view name, std::int32_t fallback) const;
    // The option's UTF-8 text as UTF-16, or empty text when absent.
    std::u16string Text(std::string_view name) const;
    bool Has(std::string_view name) const { return options.find(name) != options.end(); }
};

// Throws UsageError for an option outside optionNames or an option without its value.
ToolArguments ParseToolArguments(std::span<const std::string> args,
                                 std::initializer_list<std::string_view> optionNames);

}  // namespace kestrine
