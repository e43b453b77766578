#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "protocol/records.h"

namespace kestrine {

// Records as JSON Lines: one object per line, UTF-8, fields in a fixed order. Shared by
// "decode" and the commands that ask a server, so both print records alike.
void WriteHostJson(std::ostream& out, const HostRecord& host);
void WriteFolderPathJson(std::ostream& out, std::u16string_view path);
void WriteBrowserItemJson(std::ostream& out, const TFileBrowserItem& item);
void WriteSearchItemJson(std::ostream& out, const TFileSearchItem& item);

// A quoted JSON string. Surrogate pairs become UTF-8; a lone surrogate, which UTF-8 cannot
// carry, is written as a \uXXXX escape so no information is lost.
std::string JsonString(std::u16string_view text);

// The shortest text that reads back as the same double; null for NaN and infinities,
// which JSON cannot express.
std::string JsonNumber(double value);

}  // namespace kestrine
