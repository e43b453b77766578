#pragma once

#include <cstddef>
#include <string>

#include "common/bytes.h"

namespace kestrine {

// Answers are a few megabytes at most; a larger file is refused rather than read.
inline constexpr std::size_t kMaxAnswerFileSize = std::size_t{256} << 20;

// Reads a whole file named in UTF-8. Throws Failure when it cannot be opened or read or
// holds more than maxSize bytes.
Bytes ReadAnswerFile(const std::string& utf8Name, std::size_t maxSize = kMaxAnswerFileSize);

}  // namespace kestrine
