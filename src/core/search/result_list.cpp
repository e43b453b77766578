#include "search/result_list.h"

namespace kestrine {

void SearchResultList::Append(TFileSearchItem&& item) {
    if (!order_.empty()) {
        order_.push_back(static_cast<std::uint32_t>(records_.size()));
    }
    records_.push_back(std::move(item));
}

void SearchResultList::TakeRows(SearchResultList&& page) {
    records_ = std::move(page.records_);
    order_ = std::move(page.order_);
    page.Clear();
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
