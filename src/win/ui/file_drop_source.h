#pragma once

#include <windows.h>
#include <objidl.h>

#include <string>

#include "ui/com_ptr.h"

namespace kestrine {

// What a row dragged out of a list offers: a file drop (CF_HDROP) naming one path, as
// Explorer, the desktop and mail programs take it. Nothing else is offered, so no target can
// take the row for text to paste somewhere else.
ComPtr<IDataObject> CreateFileDropData(std::u16string path);

// Drags path out as a file drop until the user drops or cancels it. Copy or link only: a move
// would delete the file from the share it was found on. Needs OLE on the calling thread.
void DragFileOut(const std::u16string& path);

}  // namespace kestrine
