#pragma once

#include "file_index.h"

namespace kestrine::server::testing {

// \\ALPHA (active): share\docs\{a.txt, Report.pdf}, share\docs\reports\{q1.pdf}, share\x.zip
// \\BETA (inactive): pub\{report.txt}
inline FileIndex SmallIndex() {
    FileIndex index;
    const std::int32_t alpha = index.AddHost(u"ALPHA", 45000.5, true);
    const std::int32_t share = index.AddFolder(alpha, -1, u"share", 44000);
    const std::int32_t docs = index.AddFolder(alpha, share, u"docs", 44001);
    index.AddFile(docs, {u"a.txt", 10, 44002, 32});
    index.AddFile(docs, {u"Report.pdf", 5000000000LL, 44003, 33});
    const std::int32_t reports = index.AddFolder(alpha, docs, u"reports", 44004);
    index.AddFile(reports, {u"q1.pdf", 20, 44005, 32});
    index.AddFile(share, {u"x.zip", 30, 44006, 32});
    const std::int32_t beta = index.AddHost(u"BETA", 45001, false);
    const std::int32_t pub = index.AddFolder(beta, -1, u"pub", 44007);
    index.AddFile(pub, {u"report.txt", 40, 44008, 32});
    return index;
}

}  // namespace kestrine::server::testing
