#include "browser/operation_enabling.h"

#include "browser/folder_listing.h"

namespace kestrine {

OperationsEnabled SearchOperationsEnabled(const std::optional<SearchHitView>& selected) {
    OperationsEnabled enabled;
    if (selected) {
        enabled.Open = enabled.OpenFolder = enabled.Properties = true;
        enabled.MapDrive = !selected->Folder.empty();
    }
    return enabled;
}

OperationsEnabled BrowserOperationsEnabled(const TFileBrowserItem* selected) {
    OperationsEnabled enabled;
    if (selected != nullptr && selected->Name != kParentEntryName) {
        enabled.Open = enabled.OpenFolder = enabled.Properties = true;
        enabled.MapDrive = selected->IsFolder;
    }
    return enabled;
}

}  // namespace kestrine
