#include <zewhandles/UniqueAny.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> closed;
void Close(int handle) { closed.push_back(handle); }

// A kind whose "no handle" is 0, and one whose is -1 (the socket's form).
using Owner = zew::handles::UniqueAny<int, &Close>;
using SocketLike = zew::handles::UniqueAny<int, &Close, -1>;

TEST(UniqueAny, ClosesEachHandleOnceWhereverOwnershipMoves) {
    closed.clear();
    {
        Owner a(7);
        Owner b(std::move(a));
        EXPECT_FALSE(a);
        Owner c(9);
        c = std::move(b);  // 9 closed now, 7 moves on
        EXPECT_EQ(closed, std::vector<int>{9});
        Owner& same = c;
        c = std::move(same);  // moving onto itself keeps the handle
        EXPECT_EQ(c.get(), 7);
        *c.put() = 11;  // 7 closed before the new handle is written
        EXPECT_EQ(c.release(), 11);
    }
    EXPECT_EQ(closed, (std::vector<int>{9, 7}));
}

TEST(UniqueAny, TheKindsEmptyValueIsNeverClosedAndZeroIsAHandle) {
    closed.clear();
    {
        SocketLike none;
        EXPECT_FALSE(none);
        EXPECT_EQ(none.get(), -1);
        SocketLike zero(0);
        EXPECT_TRUE(zero);
        SocketLike moved(std::move(zero));
        EXPECT_EQ(zero.get(), -1);
    }
    EXPECT_EQ(closed, std::vector<int>{0});
}

}  // namespace
