#pragma once

#include <string_view>

#include "search/byte_sink.h"
#include "search/result_list.h"
#include "search/value_formatter.h"

namespace kestrine {

// Writes the hits as CSV, in row order: UTF-8 without byte-order mark, "\r\n" after every
// line, the header "File Name","Folder","Computer","File Size","Date Modified", then one
// line per hit: file name, folder, computer as stored, size text and date text (folders like
// files). Every value is enclosed in double quotes, and a double quote inside a value is
// doubled so that the field stays whole. separator is the user's list separator; empty text
// falls back to ",". Flushes at the end; a failing sink's Failure propagates.
void WriteResultsCsv(const SearchResultList& results, std::u16string_view separator,
                     const ValueFormatter& formatter, ByteSink& sink);

}  // namespace kestrine
