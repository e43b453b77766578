#include "search/result_list.h"

namespace kestrine {

void SearchResultList::Append(TFileSearchItem&& item) {
    if (!order_.empty()) {
        order_.push_back(static_cast<std::uint32_t>(records_.size()));
    }
    records_.push_back(std::move(item));
}

bool SearchResultList::ColumnClick(int column) {
    if (records_.empty()) {
        return false;
    }
    tag_ = NextSortTag(tag_, column);
    order_ = SortedOrder(records_, tag_);
    return true;
}

}  // namespace kestrine
