#pragma once

// Helpers for the end-to-end tests: built programs, child processes and a fixture tree.
// Header-only because the test program is made of its *_test.cpp files.

#include <windows.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "protocol/framing.h"
#include "base/unique_handle.h"
#include "win_text.h"

namespace kestrine::testing {

// build/<preset>/tests/win/win_tests.exe finds build/<preset>/src/<relative>.
inline std::wstring BuiltProgram(const std::wstring& relative) {
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), MAX_PATH);
    path.resize(length);
    for (int up = 0; up < 3; ++up) {
        path.resize(path.find_last_of(L"\\/"));
    }
    return path + L"\\src\\" + relative;
}

inline std::wstring QuoteArgument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) {
        return arg;
    }
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

inline std::wstring CommandLine(const std::wstring& exe, const std::vector<std::wstring>& args) {
    std::wstring line = QuoteArgument(exe);
    for (const std::wstring& arg : args) {
        line += L" " + QuoteArgument(arg);
    }
    return line;
}

inline std::string ReadAll(HANDLE pipe) {
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        text.append(buffer, got);
    }
    return text;
}

struct ProgramResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;
    std::string err;
};

// Runs a program to its end and collects what it writes on stdout and stderr.
inline ProgramResult RunProgram(const std::wstring& exe, const std::vector<std::wstring>& args) {
    ProgramResult result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead = nullptr;
    HANDLE outWrite = nullptr;
    HANDLE errRead = nullptr;
    HANDLE errWrite = nullptr;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0) ||
        !CreatePipe(&errRead, &errWrite, &inherit, 0)) {
        return result;
    }
    UniqueKernelHandle outReader(outRead), outWriter(outWrite), errReader(errRead),
        errWriter(errWrite);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process{};
    std::wstring line = CommandLine(exe, args);
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        result.err = "cannot start the program";
        return result;
    }
    UniqueKernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
    outWriter.reset();
    errWriter.reset();
    std::thread errorReader([&] { result.err = ReadAll(errRead); });
    result.out = ReadAll(outRead);
    errorReader.join();
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    return result;
}

// The lines of a program's output, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// A folder under the temp folder, removed with everything in it at the end.
class TempTree {
  public:
    TempTree() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root_ = std::wstring(temp) + L"kestrine_e2e_" + std::to_wstring(GetCurrentProcessId()) +
                L"_" + std::to_wstring(GetTickCount64());
        CreateDirectoryW(root_.c_str(), nullptr);
    }
    ~TempTree() { Remove(root_); }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::wstring& Root() const { return root_; }

    void AddFolder(const std::wstring& relative) const {
        CreateDirectoryW((root_ + L"\\" + relative).c_str(), nullptr);
    }
    void AddFile(const std::wstring& relative, std::size_t size) const {
        UniqueKernelHandle file(CreateFileW((root_ + L"\\" + relative).c_str(), GENERIC_WRITE, 0,
                                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                            nullptr));
        const std::string content(size, 'k');
        DWORD written = 0;
        WriteFile(file.get(), content.data(), static_cast<DWORD>(size), &written, nullptr);
    }

  private:
    static void Remove(const std::wstring& folder) {
        WIN32_FIND_DATAW data;
        const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..") {
                    continue;
                }
                const std::wstring path = folder + L"\\" + name;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    Remove(path);
                } else {
                    DeleteFileW(path.c_str());
                }
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring root_;
};

// Where a server's standard output and error go when not to a log file.
enum class ServerOutput {
    Nul,     // the NUL device
    Closed,  // no handles at all, as for a program started without a console
    Full,    // a pipe that nobody reads, filled before the server starts
};

// server.exe, started for one test and always terminated at the end of it. Ready() once
// the pipe accepts connections. Its log goes to logPath, to read when a test fails, or
// nowhere useful (ServerOutput).
class ServerProcess {
  public:
    ServerProcess(const std::vector<std::wstring>& args, const std::wstring& logPath) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        log_.reset(CreateFileW(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                               CREATE_ALWAYS, 0, nullptr));
        Start(args, log_.get());
    }
    ServerProcess(const std::vector<std::wstring>& args, ServerOutput output) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        switch (output) {
            case ServerOutput::Nul:
                log_.reset(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       &inherit, OPEN_EXISTING, 0, nullptr));
                break;
            case ServerOutput::Closed:
                break;
            case ServerOutput::Full:
                MakeFullPipe(inherit);
                break;
        }
        Start(args, log_ ? log_.get() : nullptr);
    }
    ~ServerProcess() {
        if (process_.hProcess != nullptr) {
            TerminateProcess(process_.hProcess, 0);
            WaitForSingleObject(process_.hProcess, 10000);
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    bool Ready() const { return ready_; }

  private:
    // The write end goes to the server; the read end stays here, unread, so the pipe stays
    // full rather than broken.
    void MakeFullPipe(SECURITY_ATTRIBUTES& inherit) {
        HANDLE read = nullptr;
        HANDLE write = nullptr;
        if (!CreatePipe(&read, &write, &inherit, 1)) {
            return;
        }
        unreadEnd_.reset(read);
        log_.reset(write);
        SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
        DWORD noWait = PIPE_NOWAIT;
        if (SetNamedPipeHandleState(write, &noWait, nullptr, nullptr)) {
            const std::string filler(4096, 'f');
            DWORD written = 0;
            for (int i = 0; i < 1024 && WriteFile(write, filler.data(), 4096, &written, nullptr) &&
                            written > 0;
                 ++i) {
            }
            DWORD wait = PIPE_WAIT;
            SetNamedPipeHandleState(write, &wait, nullptr, nullptr);
        }
    }

    void Start(const std::vector<std::wstring>& args, HANDLE output) {
        const std::wstring exe = BuiltProgram(L"server\\server.exe");
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdError = output;
        startup.hStdOutput = output;
        std::wstring line = CommandLine(exe, args);
        if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                            &startup, &process_)) {
            return;
        }
        for (int attempt = 0; attempt < 200 && !ready_; ++attempt) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) {
                return;  // it ended early: a bad command line or the pipe is taken
            }
            ready_ = WaitNamedPipeW(AsWide(kLocalPipePath), 100) != FALSE;
            if (!ready_) {
                Sleep(50);
            }
        }
    }

    UniqueKernelHandle unreadEnd_;
    UniqueKernelHandle log_;
    PROCESS_INFORMATION process_{};
    bool ready_ = false;
};

}  // namespace kestrine::testing
