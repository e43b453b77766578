#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "settings/settings_store.h"
#include "base/unique_handle.h"

namespace kestrine {

inline constexpr std::u16string_view kSettingsKeyPath = u"Software\\Vellmora\\Kestrine Client";
// The subkeys below it: the search settings, and the window's remembered layout.
inline constexpr std::u16string_view kSearchSubkey = u"Search";
inline constexpr std::u16string_view kLayoutSubkey = u"Layout";

// The settings in the registry: the values of HKEY_CURRENT_USER\<keyPath>\<subkey>, integers as
// REG_DWORD and texts as REG_SZ (REG_EXPAND_SZ is read too, expanded). The keys are opened with
// full access and created when missing; when that fails every value reads as missing and writes are
// dropped.
class RegistrySettingsStore final : public SettingsStore {
  public:
    // Texts longer than this are not settings we wrote; they read as missing.
    static constexpr DWORD kMaxTextBytes = 1u << 20;

    explicit RegistrySettingsStore(std::u16string_view keyPath = kSettingsKeyPath,
                                   std::u16string_view subkey = kSearchSubkey);

    bool IsOpen() const { return static_cast<bool>(values_); }

    StoredValue Read(std::u16string_view name) const override;
    void WriteInteger(std::u16string_view name, std::int32_t value) override;
    void WriteText(std::u16string_view name, std::u16string_view text) override;

  private:
    UniqueKey values_;
};

}  // namespace kestrine
