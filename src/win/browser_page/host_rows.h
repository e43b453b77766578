#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "protocol/records.h"
#include "search/value_formatter.h"

namespace kestrine {

// Rows of the host list: the name as caption, the time of the server's last scan as the
// second column, the host id as the row's data, and a red square for an inactive host or a
// green one for an active host.

void AppendHostRow(HWND list, const HostRecord& host, const ValueFormatter& formatter);

// The host id a row carries.
std::int32_t HostRowId(HWND list, int row);

// A row's caption, however long.
std::u16string HostRowCaption(HWND list, int row);

}  // namespace kestrine
