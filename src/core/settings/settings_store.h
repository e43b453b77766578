#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrine {

// One stored value as found: missing, a number, or text. Integers may have been stored as
// text by hand; the settings model decides what that means.
struct StoredValue {
    enum class Kind { Missing, Integer, Text };

    Kind kind = Kind::Missing;
    std::int32_t integer = 0;
    std::u16string text;

    static StoredValue Missing() { return {}; }
    static StoredValue Integer(std::int32_t value) { return {Kind::Integer, value, {}}; }
    static StoredValue Text(std::u16string value) { return {Kind::Text, 0, std::move(value)}; }

    friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

// Where the per-user settings live: the values of the Search subkey. A store that cannot be
// opened reads every value as missing and drops writes; it never reports an error, since the
// program works with its defaults.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // Missing as well for a value of an unusable type or size.
    virtual StoredValue Read(std::u16string_view name) const = 0;
    virtual void WriteInteger(std::u16string_view name, std::int32_t value) = 0;
    virtual void WriteText(std::u16string_view name, std::u16string_view text) = 0;
};

}  // namespace kestrine
