#include "search/icon_index_cache.h"

namespace kestrine {

std::u16string_view ShellExtension(std::u16string_view name) {
    std::size_t dot = std::u16string_view::npos;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        if (c == u'\\' || c == u' ') {
            dot = std::u16string_view::npos;
        } else if (c == u'.') {
            dot = i;
        }
    }
    return dot == std::u16string_view::npos ? std::u16string_view() : name.substr(dot);
}

IconIndexCache::IconIndexCache(Lookup lookup) : lookup_(std::move(lookup)) {}

int IconIndexCache::IndexFor(std::u16string_view name, std::uint32_t attributes) {
    key_.clear();
    key_.push_back(static_cast<char16_t>(attributes >> 16));
    key_.push_back(static_cast<char16_t>(attributes & 0xFFFF));
    for (char16_t c : ShellExtension(name)) {
        key_.push_back(c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c);
    }
    if (const auto found = indexes_.find(key_); found != indexes_.end()) {
        return found->second;
    }
    const int index = lookup_(name, attributes);
    if (index != -1) {
        indexes_.emplace(key_, index);
    }
    return index;
}

}  // namespace kestrine
