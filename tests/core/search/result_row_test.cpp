#include "search/result_row.h"

#include <gtest/gtest.h>

namespace kestrine {
namespace {

std::u16string Cell(const TFileSearchItem& item, int column) {
    const PortableValueFormatter formatter;
    std::u16string text;
    AppendResultCellText(item, column, formatter, text);
    return text;
}

TEST(ResultRowTest, ShowsTheFiveColumns) {
    TFileSearchItem item;
    item.FileName = u"report.doc";
    item.Folder = u"share\\docs";
    item.Computer = u"\\\\OFFICE";
    item.Size = 1536;
    item.Modified = 45351.75;
    item.Attributes = 32;
    EXPECT_EQ(Cell(item, 0), u"report.doc");
    EXPECT_EQ(Cell(item, 1), u"share\\docs");
    EXPECT_EQ(Cell(item, 2), u"OFFICE");
    EXPECT_EQ(Cell(item, 3), u"1.50 KB");
    EXPECT_EQ(Cell(item, 4), u"29/02/2024 18:00");
    EXPECT_EQ(Cell(item, 5), u"");
    EXPECT_EQ(Cell(item, -1), u"");
}

TEST(ResultRowTest, OnlyAPlainFolderHidesSizeAndDate) {
    TFileSearchItem item;
    item.Size = 0;
    item.Modified = 2.0;
    item.Attributes = 16;
    EXPECT_EQ(Cell(item, 3), u"---");
    EXPECT_EQ(Cell(item, 4), u"---");
    item.Attributes = 16 | 1;  // read-only folder: shown like a file
    EXPECT_EQ(Cell(item, 3), u"0 bytes");
    EXPECT_EQ(Cell(item, 4), u"01/01/1900 00:00");
}

TEST(ResultRowTest, ComputerLosesOnlyTwoLeadingBackslashes) {
    EXPECT_EQ(ComputerDisplayName(u"\\\\PC"), u"PC");
    EXPECT_EQ(ComputerDisplayName(u"PC"), u"PC");
    EXPECT_EQ(ComputerDisplayName(u"\\PC"), u"\\PC");
    EXPECT_EQ(ComputerDisplayName(u"\\\\\\PC"), u"\\PC");
    EXPECT_EQ(ComputerDisplayName(u""), u"");
}

}  // namespace
}  // namespace kestrine
