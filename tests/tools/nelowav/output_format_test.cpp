#include "nelowav_host/output_format.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

std::vector<ShownArgument> shown(std::vector<Variant> values) {
    std::vector<ShownArgument> result;
    for (Variant &value : values)
        result.push_back({std::move(value), {}});
    return result;
}

TEST(OutputFormatTest, PlainCallsShowResultOrDashAndTheCode) {
    Variant none;
    EXPECT_EQ(formatCall(OutputStyle::Plain, "Stop", {}, *none.get(), 261), "Stop -> - [code 261]");
    Variant length(int32_t{1000});
    EXPECT_EQ(formatCall(OutputStyle::Plain, "GetLength", {}, *length.get(), 0),
              "GetLength -> 1000 [code 0]");
    Variant text(std::string_view("Invalid array length.\n\n Array"));
    EXPECT_EQ(formatCall(OutputStyle::Plain, "GetErrorMessage", {}, *text.get(), 520),
              "GetErrorMessage -> \"Invalid array length.\\n\\n Array\" [code 520]");
}

TEST(OutputFormatTest, JsonCallsListTheArguments) {
    Variant length(int32_t{1000});
    EXPECT_EQ(formatCall(OutputStyle::Json, "GetLength", {}, *length.get(), 0),
              R"({"method":"GetLength","args":[],"result":1000,"error":0})");
    Variant none;
    std::vector<ShownArgument> args =
        shown({Variant(int32_t{0}), Variant(int32_t{-1}), Variant(float{0.5f})});
    EXPECT_EQ(formatCall(OutputStyle::Json, "ChangeVolume", args, *none.get(), 515),
              R"({"method":"ChangeVolume","args":[0,-1,0.5],"result":null,"error":515})");
    args = shown({Variant(true), Variant(std::string_view("a\"b\\c\x01"))});
    args.push_back({Variant(), "out.bin"});
    EXPECT_EQ(formatCall(OutputStyle::Json, "M", args, *none.get(), 0),
              R"({"method":"M","args":[true,"a\"b\\c\u0001","@out.bin"],"result":null,"error":0})");
}

// Each byte that is not UTF-8 shows as the escape of its code point in the control's strings,
// in a string result and in an @FILE alike; valid letters stay as they are.
TEST(OutputFormatTest, BytesThatAreNotUtf8AreEscapedAsInTheControlsStrings) {
    Variant name(std::string_view("/tmp/caf\xE9 \xC3\xA9\xFF.wav"));
    std::vector<ShownArgument> args = shown({Variant(std::string_view("x\xFE.wav"))});
    args.push_back({Variant(), "a\x80.bin"});
    EXPECT_EQ(formatCall(OutputStyle::Json, "M", args, *name.get(), 0),
              R"({"method":"M","args":["x\udcfe.wav","@a\udc80.bin"],"result":"/tmp/caf\udce9 )"
              "\xC3\xA9"
              R"(\udcff.wav","error":0})");
    EXPECT_EQ(formatCall(OutputStyle::Plain, "GetWavFilename", {}, *name.get(), 0),
              "GetWavFilename -> \"/tmp/caf\\udce9 \xC3\xA9\\udcff.wav\" [code 0]");
}

TEST(OutputFormatTest, NonFiniteFloatsStayDistinguishable) {
    Variant none;
    const std::vector<ShownArgument> args =
        shown({Variant(float{NAN}), Variant(float{INFINITY}), Variant(float{-INFINITY}),
               Variant(float{1e30f})});
    EXPECT_EQ(formatCall(OutputStyle::Json, "M", args, *none.get(), 0),
              R"({"method":"M","args":["nan","inf","-inf",1e+30],"result":null,"error":0})");
    Variant infinite(float{-INFINITY});
    EXPECT_EQ(formatCall(OutputStyle::Plain, "M", {}, *infinite.get(), 0), "M -> -inf [code 0]");
}

TEST(OutputFormatTest, LongWordsAreShownByTheirStart) {
    EXPECT_EQ(quotedExcerpt("Rewind"), "\"Rewind\"");
    EXPECT_EQ(quotedExcerpt(std::string(41, 'x')), "\"" + std::string(40, 'x') + "\"...");
    // A two-byte letter that straddles the cut is left out whole.
    EXPECT_EQ(quotedExcerpt(std::string(39, 'x') + "\xC3\xA9yz"),
              "\"" + std::string(39, 'x') + "\"...");
}

TEST(OutputFormatTest, DoneEvents) {
    EXPECT_EQ(formatDone(OutputStyle::Plain, -32768), "Done -32768");
    EXPECT_EQ(formatDone(OutputStyle::Json, 1), R"({"event":"Done","NotifyCode":1})");
}

} // namespace
