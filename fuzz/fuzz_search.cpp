#include "fuzz_input.h"
#include "protocol/answer_layouts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrine::ReadRawAndInflated(data, size, [](std::span<const std::uint8_t> stream) {
        kestrine::ReadSearchResults(stream, [](kestrine::TFileSearchItem&&) {});
    });
    return 0;
}
