#include "win_text.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace kestrine {
namespace {

TEST(SystemMessageTextTest, DropsTrailingFullStopAndLineBreak) {
    const std::u16string text = SystemMessageText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), u'.');
    EXPECT_GT(text.back(), u' ');
}

}  // namespace
}  // namespace kestrine
