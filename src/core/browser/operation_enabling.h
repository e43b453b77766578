#pragma once

#include <optional>

#include "protocol/records.h"

namespace kestrine {

// Which of the four operations on the selected row are enabled.
struct OperationsEnabled {
    bool Open = false;
    bool OpenFolder = false;
    bool MapDrive = false;
    bool Properties = false;

    friend bool operator==(const OperationsEnabled&, const OperationsEnabled&) = default;
};

// Search page, selected hit or nullptr: all need a selection; Map Network Drive also a
// non-empty folder.
OperationsEnabled SearchOperationsEnabled(const std::optional<SearchHitView>& selected);

// Browser page, selected entry or nullptr: nothing for no selection or the ".." entry; Map
// Network Drive only for a folder.
OperationsEnabled BrowserOperationsEnabled(const TFileBrowserItem* selected);

}  // namespace kestrine
