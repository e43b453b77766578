#pragma once

#include <cstdint>
#include <optional>

#include "lists/string_list.h"

namespace kestrine {

// The parent map of the network browser: name=value entries "child=parent" of folder ids in
// decimal. Folder ids are unique across hosts, so one map serves them all; it only grows.

// Adds "child=parent" unless the child already has an entry (the first parent recorded
// stays).
void RecordParent(StringList& parentMap, std::int32_t child, std::int32_t parent);

// The recorded parent of a folder; nullopt when it has none or its value is not a number.
std::optional<std::int32_t> RecordedParent(const StringList& parentMap, std::int32_t child);

}  // namespace kestrine
