#include "settings/memory_settings_store.h"

namespace kestrine {

StoredValue MemorySettingsStore::Read(std::u16string_view name) const {
    ++reads_;
    const auto found = values_.find(name);
    return found == values_.end() ? StoredValue::Missing() : found->second;
}

void MemorySettingsStore::WriteInteger(std::u16string_view name, std::int32_t value) {
    Seed(name, StoredValue::Integer(value));
    writes_.emplace_back(name);
}

void MemorySettingsStore::WriteText(std::u16string_view name, std::u16string_view text) {
    Seed(name, StoredValue::Text(std::u16string(text)));
    writes_.emplace_back(name);
}

void MemorySettingsStore::Seed(std::u16string_view name, StoredValue value) {
    values_.insert_or_assign(std::u16string(name), std::move(value));
}

}  // namespace kestrine
