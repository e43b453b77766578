#include "search/query_history.h"

#include <algorithm>

#include "platform/text_compare.h"

namespace kestrine {

void RecordQueryInHistory(std::vector<std::u16string>& history, std::u16string_view typed) {
    const bool known = std::any_of(history.begin(), history.end(), [typed](const auto& entry) {
        return SameTextIgnoringCase(entry, typed);
    });
    if (!known) {
        history.insert(history.begin(), std::u16string(typed));
    }
    if (history.size() > kQueryHistoryLimit) {
        history.resize(kQueryHistoryLimit);
    }
}

}  // namespace kestrine
