#include "ui/guarded_call.h"

#include <exception>
#include <new>

#include "common/failure.h"
#include "common/text.h"

namespace kestrine {

std::u16string CurrentFailureText() {
    try {
        throw;
    } catch (const Failure& failure) {
        return failure.Message();
    } catch (const std::bad_alloc&) {
        return u"Insufficient memory.";
    } catch (const std::exception& error) {
        const std::u16string text = Utf8ToUtf16(error.what());
        return text.empty() ? std::u16string(kUnexpectedErrorText) : text;
    } catch (...) {
        return kUnexpectedErrorText;
    }
}

void ReportFailureAsLastResort() noexcept {
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(kUnexpectedErrorText), nullptr,
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace kestrine
