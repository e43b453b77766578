#pragma once

#include <cstdint>

#include "protocol/records.h"

namespace kestrine::server {

// A FILETIME value (100-nanosecond ticks since 1601-01-01) as days since 1899-12-30.
Timestamp FileTimeToDays(std::uint64_t ticks);

}  // namespace kestrine::server
