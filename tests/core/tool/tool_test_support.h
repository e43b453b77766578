#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "tool.h"

namespace kestrine::tool_test {

// One in-process run of the tool.
struct Run {
    int status = 0;
    std::string out;
    std::string err;
};

inline Run RunKestrine(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    Run run;
    run.status = RunTool(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// A file in a private temporary folder, removed with the object.
class TempFile {
  public:
    TempFile(const std::string& utf8Name, const Bytes& content) {
        static int counter = 0;
        folder_ = std::filesystem::temp_directory_path() /
                  ("kestrine-tool-test-" + std::to_string(++counter) + "-" +
                   std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::create_directories(folder_);
        path_ = folder_ / std::filesystem::path(std::u8string(utf8Name.begin(), utf8Name.end()));
        std::ofstream file(path_, std::ios::binary);
        file.write(reinterpret_cast<const char*>(content.data()),
                   static_cast<std::streamsize>(content.size()));
    }
    ~TempFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    std::string Name() const {
        const std::u8string name = path_.u8string();
        return std::string(name.begin(), name.end());
    }

  private:
    std::filesystem::path folder_;
    std::filesystem::path path_;
};

}  // namespace kestrine::tool_test
