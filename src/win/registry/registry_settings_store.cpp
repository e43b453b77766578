#include "registry/registry_settings_store.h"

#include <vector>

#include "win_text.h"

namespace kestrine {
namespace {

UniqueKey CreateKey(HKEY parent, const std::u16string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(parent, AsWide(path), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return UniqueKey();
    }
    return UniqueKey(key);
}

StoredValue ReadDword(HKEY key, const std::u16string& name) {
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof number;
    if (RegQueryValueExW(key, AsWide(name), nullptr, &type, reinterpret_cast<BYTE*>(&number),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof number) {
        return StoredValue::Missing();
    }
    return StoredValue::Integer(static_cast<std::int32_t>(number));
}

// The stored bytes need not end with a NUL, nor have an even length: the text ends at the
// first NUL or at the last whole character.
std::u16string TextOf(const std::vector<char16_t>& buffer, DWORD byteCount) {
    const std::u16string_view stored(buffer.data(), byteCount / sizeof(char16_t));
    return std::u16string(stored.substr(0, stored.find(u'\0')));
}

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(std::u16string_view keyPath) {
    const UniqueKey root = CreateKey(HKEY_CURRENT_USER, std::u16string(keyPath));
    if (root) {
        search_ = CreateKey(root.get(), u"Search");
    }
}

StoredValue RegistrySettingsStore::Read(std::u16string_view nameView) const {
    if (!search_) {
        return StoredValue::Missing();
    }
    const std::u16string name(nameView);
    // The value may change between asking for its size and reading it; try again a few times.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(search_.get(), AsWide(name), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            return StoredValue::Missing();
        }
        if (type == REG_DWORD) {
            return ReadDword(search_.get(), name);
        }
        if (type != REG_SZ || size > kMaxTextBytes) {
            return StoredValue::Missing();
        }
        std::vector<char16_t> buffer(size / sizeof(char16_t) + 1, u'\0');
        DWORD got = static_cast<DWORD>(buffer.size() * sizeof(char16_t));
        const LSTATUS status = RegQueryValueExW(search_.get(), AsWide(name), nullptr, &type,
                                                reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && type != REG_SZ)) {
            continue;
        }
        if (status != ERROR_SUCCESS) {
            return StoredValue::Missing();
        }
        return StoredValue::Text(TextOf(buffer, got));
    }
    return StoredValue::Missing();
}

void RegistrySettingsStore::WriteInteger(std::u16string_view name, std::int32_t value) {
    if (!search_) {
        return;
    }
    const DWORD number = static_cast<DWORD>(value);
    RegSetValueExW(search_.get(), AsWide(std::u16string(name)), 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&number), sizeof number);
}

void RegistrySettingsStore::WriteText(std::u16string_view name, std::u16string_view text) {
    const std::u16string stored(text);
    const std::size_t bytes = (stored.size() + 1) * sizeof(char16_t);
    if (!search_ || bytes > kMaxTextBytes) {
        return;
    }
    RegSetValueExW(search_.get(), AsWide(std::u16string(name)), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(stored.c_str()), static_cast<DWORD>(bytes));
}

}  // namespace kestrine
