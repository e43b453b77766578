#include "search/result_list.h"

namespace kestrine {

bool SearchResultList::ColumnClick(int column) {
    if (items_.empty()) {
        return false;
    }
    tag_ = NextSortTag(tag_, column);
    SortSearchItems(items_, tag_);
    return true;
}

}  // namespace kestrine
