#include "answer_file.h"

#include <filesystem>
#include <fstream>

#include "common/failure.h"
#include "common/text.h"

namespace kestrine {

Bytes ReadAnswerFile(const std::string& utf8Name, std::size_t maxSize) {
    const std::u16string name = Utf8ToUtf16(utf8Name);
    // From UTF-8 so that names outside the ANSI code page open on Windows too.
    std::ifstream file(std::filesystem::path(std::u8string(utf8Name.begin(), utf8Name.end())),
                       std::ios::binary);
    if (!file) {
        throw Failure(name + u": cannot open the file");
    }
    // Read in chunks up to one byte past the bound, so pipes work and nothing huge is
    // allocated before the size is known to be acceptable.
    Bytes data;
    constexpr std::size_t kChunk = 1 << 16;
    while (file) {
        const std::size_t before = data.size();
        const std::size_t step = std::min(kChunk, maxSize + 1 - before);
        data.resize(before + step);
        file.read(reinterpret_cast<char*>(data.data() + before),
                  static_cast<std::streamsize>(step));
        data.resize(before + static_cast<std::size_t>(file.gcount()));
        if (data.size() > maxSize) {
            throw Failure(name + u": the file is larger than " +
                          ToText(static_cast<std::int64_t>(maxSize)) + u" bytes");
        }
    }
    if (file.bad()) {
        throw Failure(name + u": cannot read the file");
    }
    return data;
}

}  // namespace kestrine
