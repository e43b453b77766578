#pragma once

#include "settings/settings_store.h"

#include <map>
#include <vector>

namespace kestrine {

// A settings store in memory, for tests and for running without the registry. It remembers
// the order of the writes.
class MemorySettingsStore : public SettingsStore {
  public:
    StoredValue Read(std::u16string_view name) const override;
    void WriteInteger(std::u16string_view name, std::int32_t value) override;
    void WriteText(std::u16string_view name, std::u16string_view text) override;

    // Puts a value in place without counting it as a write.
    void Seed(std::u16string_view name, StoredValue value);
    // Names in the order they were written, one per write.
    const std::vector<std::u16string>& Writes() const { return writes_; }
    int ReadCount() const { return reads_; }

  private:
    std::map<std::u16string, StoredValue, std::less<>> values_;
    std::vector<std::u16string> writes_;
    mutable int reads_ = 0;
};

}  // namespace kestrine
