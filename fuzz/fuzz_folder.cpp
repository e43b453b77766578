#include "fuzz_input.h"
#include "protocol/answer_layouts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrine::ReadRawAndInflated(data, size, [](std::span<const std::uint8_t> stream) {
        // The same bytes as the top level and as a real folder.
        for (bool folderRequested : {false, true}) {
            try {
                kestrine::ReadFolderListing(
                    stream, folderRequested, [](std::u16string&&) {},
                    [](kestrine::TFileBrowserItem&&) {});
            } catch (const kestrine::Failure&) {
            }
        }
    });
    return 0;
}
