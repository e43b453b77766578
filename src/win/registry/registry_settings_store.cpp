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

bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// REG_EXPAND_SZ is how Windows marks a text whose %VARIABLES% are meant to be filled in (a
// ServerName of %LOGONSERVER% set by an administrator, say), and Windows' own readers expand
// it; so do we. A variable that is not set stays as written, as ExpandEnvironmentStrings
// leaves it. A result too long to be a setting reads as missing.
StoredValue Expanded(const std::u16string& text, DWORD maxBytes) {
    // The environment may grow between asking for the size and expanding; try again.
    std::u16string expanded(text.size() + 1, u'\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD needed =
            ExpandEnvironmentStringsW(AsWide(text), reinterpret_cast<wchar_t*>(expanded.data()),
                                      static_cast<DWORD>(expanded.size()));
        if (needed == 0) {
            return StoredValue::Text(text);
        }
        if (needed > maxBytes / sizeof(char16_t)) {
            return StoredValue::Missing();
        }
        if (needed <= expanded.size()) {
            expanded.resize(needed - 1);
            return StoredValue::Text(std::move(expanded));
        }
        expanded.assign(needed, u'\0');
    }
    return StoredValue::Missing();
}

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(std::u16string_view keyPath,
                                             std::u16string_view subkey) {
    const UniqueKey root = CreateKey(HKEY_CURRENT_USER, std::u16string(keyPath));
    if (root) {
        values_ = CreateKey(root.get(), std::u16string(subkey));
    }
}

StoredValue RegistrySettingsStore::Read(std::u16string_view nameView) const {
    if (!values_) {
        return StoredValue::Missing();
    }
    const std::u16string name(nameView);
    // The value may change between asking for its size and reading it; try again a few times.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(values_.get(), AsWide(name), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            return StoredValue::Missing();
        }
        if (type == REG_DWORD) {
            return ReadDword(values_.get(), name);
        }
        if (!IsText(type) || size > kMaxTextBytes) {
            return StoredValue::Missing();
        }
        std::vector<char16_t> buffer(size / sizeof(char16_t) + 1, u'\0');
        DWORD got = static_cast<DWORD>(buffer.size() * sizeof(char16_t));
        const DWORD sizedType = type;
        const LSTATUS status = RegQueryValueExW(values_.get(), AsWide(name), nullptr, &type,
                                                reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && type != sizedType)) {
            continue;
        }
        if (status != ERROR_SUCCESS) {
            return StoredValue::Missing();
        }
        std::u16string text = TextOf(buffer, got);
        if (type == REG_EXPAND_SZ) {
            return Expanded(text, kMaxTextBytes);
        }
        return StoredValue::Text(std::move(text));
    }
    return StoredValue::Missing();
}

void RegistrySettingsStore::WriteInteger(std::u16string_view name, std::int32_t value) {
    if (!values_) {
        return;
    }
    const DWORD number = static_cast<DWORD>(value);
    RegSetValueExW(values_.get(), AsWide(std::u16string(name)), 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&number), sizeof number);
}

void RegistrySettingsStore::WriteText(std::u16string_view name, std::u16string_view text) {
    const std::u16string stored(text);
    const std::size_t bytes = (stored.size() + 1) * sizeof(char16_t);
    if (!values_ || bytes > kMaxTextBytes) {
        return;
    }
    // Saving the settings writes every value; an expandable text that still reads the same
    // keeps its variables rather than being frozen into today's expansion.
    DWORD type = REG_NONE;
    if (RegQueryValueExW(values_.get(), AsWide(std::u16string(name)), nullptr, &type, nullptr,
                         nullptr) == ERROR_SUCCESS &&
        type == REG_EXPAND_SZ && Read(name) == StoredValue::Text(stored)) {
        return;
    }
    RegSetValueExW(values_.get(), AsWide(std::u16string(name)), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(stored.c_str()), static_cast<DWORD>(bytes));
}

}  // namespace kestrine
