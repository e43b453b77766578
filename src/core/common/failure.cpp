#include "common/failure.h"

#include "common/text.h"

namespace kestrine {

Failure::Failure(std::u16string message)
    : message_(std::move(message)), utf8_(Utf16ToUtf8(message_)) {}

}  // namespace kestrine
