#include "platform/FileDescriptor.h"
#include "platform/Files.h"
#include "support/TempFolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using platform::files::Open;

bool is_open(int fd) { return ::fcntl(fd, F_GETFD) >= 0; }

std::span<std::byte const> bytes_of(std::string const& text) { return std::as_bytes(std::span(text)); }

}

TEST(FileDescriptor, OneOwnerClosesItAndWholeBuffersMoveEitherWay)
{
    TempFolder t;
    std::string const path = t.path() + "record";
    int first = -1;
    {
        auto file = platform::files::open(path, Open::read_write | Open::create);
        ASSERT_TRUE(file);
        first = file.get();
        EXPECT_EQ(file.write_fully(bytes_of("pipkin")), 6u);
        EXPECT_EQ(file.write_fully(bytes_of("SPR"), 1), 3u) << "at an offset, over what is there";

        char got[8] {};
        auto whole = std::as_writable_bytes(std::span(got));
        EXPECT_EQ(file.read_fully(whole, 0), 6u) << "the end comes before the buffer is full";
        EXPECT_EQ(std::string(got, 6), "pSPRin");
        EXPECT_EQ(file.read_fully(whole), 0u) << "the offset read left the position at the end";

        platform::FileDescriptor owner(std::move(file));
        EXPECT_FALSE(file);
        EXPECT_EQ(owner.get(), first);
        auto other = platform::files::open(path, Open::read);
        int const second = other.get();
        owner = std::move(other);
        EXPECT_FALSE(is_open(first)) << "the descriptor it held closes when another is moved in";
        EXPECT_TRUE(is_open(second));
        first = second;
    }
    EXPECT_FALSE(is_open(first)) << "closed with its owner";
    EXPECT_FALSE(platform::files::open(t.path() + "missing", Open::read));
    EXPECT_EQ(errno, ENOENT);
}
