#pragma once

// A search answer of any number of rows, compressed as a server sends it, for measuring the
// client's side of big pages. The names are of a realistic length and mostly distinct.
#include <string>
#include <utility>
#include <vector>

#include "common/deflate.h"
#include "protocol/answer_layouts.h"
#include "protocol/answer_writers.h"

namespace kestrine {

inline Bytes GeneratedSearchAnswer(int rows) {
    std::vector<TFileSearchItem> items;
    items.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        TFileSearchItem item;
        item.Computer = u"\\\\FILESRV" + std::u16string(1, static_cast<char16_t>(u'0' + i % 7));
        item.Folder = u"share\\projects\\folder" + std::u16string(1, u'a' + i % 26) + u"\\";
        std::u16string number;
        for (int n = i; n > 0 || number.empty(); n /= 10) {
            number.insert(number.begin(), static_cast<char16_t>(u'0' + n % 10));
        }
        item.FileName = u"document_" + number + u".pdf";
        item.Size = 1000 + i * 37;
        item.Modified = 45000.25 + i * 0.001;
        item.Attributes = 32;
        items.push_back(std::move(item));
    }
    return Deflate(WriteSearchResults(items));
}

}  // namespace kestrine
