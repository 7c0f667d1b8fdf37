// The trace's text: bytes, statuses and method names as a reader greps them
// (the line's fields in order are TraceTest's, on lines a process wrote).
#include <gtest/gtest.h>

#include "session/TraceFormat.h"

namespace {

using namespace zew::session;

TEST(TraceFormat, BytesAreEscapedSoThatALineStaysOneLine) {
    EXPECT_EQ(EscapeBytes(std::string("MON?\n\r\t\\ \x01\x7F\xE9", 12)), "MON?\\n\\r\\t\\\\ \\x01\\x7F\\xE9");
    EXPECT_EQ(EscapeBytes(std::string("a\0b", 3)), "a\\x00b");
}

TEST(TraceFormat, StatusesInWordsOrHex) {
    EXPECT_EQ(StatusName(0), "VI_SUCCESS");
    EXPECT_EQ(StatusName(0x3FFF0005), "VI_SUCCESS_TERM_CHAR");
    EXPECT_EQ(StatusName(static_cast<std::int32_t>(0xBFFF0015u)), "VI_ERROR_TMO");
    EXPECT_EQ(StatusName(0x12345), "0x00012345");
}

TEST(TraceFormat, TheMethodIsNamedByItsInterface) {
    EXPECT_EQ(MethodOfFunction("virtual HRESULT zew::objects::CZew4400::Connect(BSTR)"), "IZew4400.Connect");
    EXPECT_EQ(MethodOfFunction("long int zew::objects::CMemory::Save()"), "IMemory.Save");
    EXPECT_EQ(MethodOfFunction("HRESULT zew::objects::Collection<I, T>::get_Count(LONG*) [with I = IMemories]"),
              "Collection.get_Count");
    EXPECT_EQ(MethodOfFunction("int main()"), "int main()");
}

}  // namespace
