#include "server_options.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "filetime.h"

namespace kestrine::server {
namespace {

TEST(ServerOptionsTest, ReadsHostsAndRescanInterval) {
    const ServerOptions options = ParseServerOptions(
        {u"--host", u"FILESRV=C:\\shares", u"--rescan", u"60", u"--host", u"B=D:\\x=y"});
    ASSERT_EQ(options.hosts.size(), 2u);
    EXPECT_EQ(options.hosts[0].name, u"FILESRV");
    EXPECT_EQ(options.hosts[0].folder, u"C:\\shares");
    EXPECT_EQ(options.hosts[1].folder, u"D:\\x=y");
    EXPECT_EQ(options.rescanSeconds, 60);
}

TEST(ServerOptionsTest, RefusesBadCommandLines) {
    const std::vector<std::vector<std::u16string>> cases = {
        {},
        {u"--host"},
        {u"--host", u"NAME"},
        {u"--host", u"=C:\\x"},
        {u"--host", u"NAME="},
        {u"--host", u"\\\\NAME=C:\\x"},
        {u"--host", u"A=C:\\x", u"--rescan", u"0"},
        {u"--host", u"A=C:\\x", u"--rescan", u"soon"},
        {u"--host", u"A=C:\\x", u"--verbose"},
    };
    for (const auto& args : cases) {
        EXPECT_THROW(ParseServerOptions(args), Failure);
    }
}

TEST(FileTimeTest, CountsDaysFrom1899) {
    constexpr std::uint64_t kTicksPerDay = 864000000000ULL;
    EXPECT_DOUBLE_EQ(FileTimeToDays(109205 * kTicksPerDay), 0.0);
    // 1900-01-01 12:00 is day 2.5.
    EXPECT_DOUBLE_EQ(FileTimeToDays(109207 * kTicksPerDay + kTicksPerDay / 2), 2.5);
    // 1601-01-01 itself lies before 1899.
    EXPECT_DOUBLE_EQ(FileTimeToDays(0), -109205.0);
}

}  // namespace
}  // namespace kestrine::server
