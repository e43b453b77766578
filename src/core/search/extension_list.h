#pragma once

#include <string>
#include <string_view>

namespace kestrine {

// The extensions text of a search request from a category's value: empty stays empty, "*"
// stays "*", anything else is read as comma-text and each entry written in single quotes
// (single quotes inside doubled), separated by commas: "db,dbf,mdb" gives 'db','dbf','mdb'.
std::u16string BuildExtensionList(std::u16string_view categoryValue);

}  // namespace kestrine
