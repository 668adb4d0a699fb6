#include "nelowav_host/array_file.h"
#include "nelowav_host/method_arguments.h"
#include "temporary_folder.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FUNCDESC method(const char *name, std::vector<PARAMDESC> params) {
    FUNCDESC function{};
    function.name = name;
    function.params = std::move(params);
    return function;
}

std::vector<ScriptWord> words(std::initializer_list<const char *> texts) {
    std::vector<ScriptWord> result;
    for (const char *text : texts)
        result.push_back({text, false});
    return result;
}

struct Conversion {
    VARTYPE vt;
    const char *text;
    double expected;
};

class ScalarConversionTest : public testing::TestWithParam<Conversion> {};

TEST_P(ScalarConversionTest, FollowsThePlatformsCoercion) {
    const FUNCDESC function = method("M", {{"Value", GetParam().vt}});
    MethodArguments arguments;
    std::string error;
    ASSERT_TRUE(arguments.prepare(function, words({GetParam().text}), error)) << error;
    const VARIANT &value = arguments.values().at(0);
    ASSERT_EQ(value.vt, GetParam().vt);
    switch (value.vt) {
    case VT_I2:
        EXPECT_EQ(value.iVal, GetParam().expected);
        break;
    case VT_I4:
        EXPECT_EQ(value.lVal, GetParam().expected);
        break;
    case VT_BOOL:
        EXPECT_EQ(value.boolVal, GetParam().expected);
        break;
    default:
        if (std::isnan(GetParam().expected))
            EXPECT_TRUE(std::isnan(value.fltVal));
        else
            EXPECT_FLOAT_EQ(value.fltVal, static_cast<float>(GetParam().expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Words, ScalarConversionTest,
    testing::Values(Conversion{VT_I4, "-1", -1}, Conversion{VT_I4, "2147483647", 2147483647},
                    Conversion{VT_I2, "-32768", -32768}, Conversion{VT_BOOL, "true", -1},
                    Conversion{VT_BOOL, "FALSE", 0}, Conversion{VT_BOOL, "0", 0},
                    Conversion{VT_BOOL, "5", -1}, Conversion{VT_R4, "0.5", 0.5},
                    Conversion{VT_R4, "2", 2}, Conversion{VT_R4, "1e30", 1e30},
                    Conversion{VT_R4, "nan", NAN}));

TEST(MethodArgumentsTest, RefusesWrongCountsAndUnconvertibleWords) {
    const FUNCDESC seek = method("Seek", {{"To", VT_I4}});
    std::string error;
    EXPECT_FALSE(MethodArguments().prepare(seek, words({}), error));
    EXPECT_EQ(error, "Seek takes 1 argument(s), not 0");
    EXPECT_FALSE(MethodArguments().prepare(seek, words({"1", "2"}), error));
    EXPECT_FALSE(MethodArguments().prepare(seek, words({"end"}), error));
    EXPECT_EQ(error, "To must be a 32-bit integer, not \"end\"");
    EXPECT_FALSE(MethodArguments().prepare(seek, words({"2147483648"}), error));
    EXPECT_EQ(error, "To \"2147483648\" is out of range for a 32-bit integer");
    const FUNCDESC bits = method("M", {{"Bits", VT_I2}});
    EXPECT_FALSE(MethodArguments().prepare(bits, words({"40000"}), error));
    EXPECT_EQ(error, "Bits \"40000\" is out of range for a 16-bit integer");
    const FUNCDESC factor = method("M", {{"Factor", VT_R4}});
    EXPECT_FALSE(MethodArguments().prepare(factor, words({"1e39"}), error));
    EXPECT_EQ(error, "Factor \"1e39\" is out of range for a float");
}

const FUNCDESC kToArray =
    method("WavFileToArray", {{"pArray", VT_BYREF | VT_I2}, {"ArrayLength", VT_I4}});
const FUNCDESC kFromArray =
    method("ArrayToWavFile", {{"pArray", VT_BYREF | VT_I2}, {"ArrayLength", VT_I4}});

TEST(MethodArgumentsTest, OutputArrayHasArrayLengthElementsWrittenAfterTheCall) {
    const TemporaryFolder scratch;
    const std::string path = scratch.file("out.bin");
    MethodArguments arguments;
    std::string error;
    ASSERT_TRUE(arguments.prepare(kToArray, words({("@" + path).c_str(), "3"}), error)) << error;
    ASSERT_EQ(arguments.values()[0].vt, VT_BYREF | VT_I2);
    int16_t *elements = arguments.values()[0].piVal;
    elements[0] = 1;
    elements[1] = -2;
    elements[2] = 0x1234;
    ASSERT_TRUE(arguments.finish(0, error)) << error;
    EXPECT_EQ(readArrayFile(path, 100, error), (std::vector<int16_t>{1, -2, 0x1234}));
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string("\x01\x00\xFE\xFF\x34\x12", 6)) << "little-endian";
    EXPECT_EQ(arguments.shown()[0].arrayFile, path);
}

TEST(MethodArgumentsTest, InputArrayIsPaddedToArrayLength) {
    const TemporaryFolder scratch;
    const std::string path = scratch.file("in.bin");
    std::string error;
    ASSERT_TRUE(writeArrayFile(path, {7, -7}, error));
    MethodArguments arguments;
    ASSERT_TRUE(arguments.prepare(kFromArray, words({("@" + path).c_str(), "4"}), error)) << error;
    const int16_t *elements = arguments.values()[0].piVal;
    EXPECT_EQ(std::vector<int16_t>(elements, elements + 4), (std::vector<int16_t>{7, -7, 0, 0}));
    ASSERT_TRUE(arguments.finish(0, error));
    EXPECT_EQ(readArrayFile(path, 100, error), (std::vector<int16_t>{7, -7})) << "input left alone";
}

TEST(MethodArgumentsTest, BadArrayArgumentsAreRefused) {
    const TemporaryFolder scratch;
    std::string error;
    EXPECT_FALSE(MethodArguments().prepare(kFromArray, words({"out.bin", "1"}), error));
    EXPECT_FALSE(MethodArguments().prepare(kFromArray, words({"@", "1"}), error));
    std::vector<ScriptWord> quoted = {{"@x.bin", true}, {"1", false}};
    EXPECT_FALSE(MethodArguments().prepare(kFromArray, quoted, error));
    EXPECT_FALSE(MethodArguments().prepare(
        kFromArray, words({("@" + scratch.file("missing.bin")).c_str(), "1"}), error));
    const std::string odd = scratch.file("odd.bin");
    std::ofstream(odd, std::ios::binary) << "abc";
    EXPECT_FALSE(MethodArguments().prepare(kFromArray, words({("@" + odd).c_str(), "1"}), error));
    EXPECT_FALSE(MethodArguments().prepare(kToArray, words({"@big.bin", "2000000000"}), error));
    EXPECT_EQ(error, "ArrayLength 2000000000 is too large for @big.bin");
}

std::string contents(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The system would take the name only up to its zero, which names precious.bin.
TEST(MethodArgumentsTest, AnArrayFileNameHoldingAZeroIsRefused) {
    const TemporaryFolder scratch;
    const std::string path = scratch.file("precious.bin");
    std::ofstream(path, std::ios::binary) << "precious";
    const std::string withZero = "@" + path + std::string("\0.new", 5);
    for (const FUNCDESC *function : {&kToArray, &kFromArray}) {
        std::string error;
        EXPECT_FALSE(
            MethodArguments().prepare(*function, {{withZero, false}, {"2", false}}, error));
        EXPECT_TRUE(error.ends_with(" holds a zero byte")) << error;
    }
    EXPECT_EQ(contents(path), "precious");
}

TEST(MethodArgumentsTest, FailedCallLeavesTheOutputFileAlone) {
    const TemporaryFolder scratch;
    const std::string path = scratch.file("precious.bin");
    std::ofstream(path, std::ios::binary) << "precious";
    MethodArguments arguments;
    std::string error;
    ASSERT_TRUE(arguments.prepare(kToArray, words({("@" + path).c_str(), "3"}), error)) << error;
    ASSERT_TRUE(arguments.finish(515, error)) << error;
    EXPECT_EQ(contents(path), "precious");
}

TEST(ArrayFileTest, InputIsReadUpToTheWantedLengthOnly) {
    const TemporaryFolder scratch;
    const std::string path = scratch.file("long.bin");
    std::ofstream(path, std::ios::binary) << std::string("\x01\x00\x02\x00\x03\x00", 6);
    std::string error;
    EXPECT_EQ(readArrayFile(path, 2, error), (std::vector<int16_t>{1, 2}));
    EXPECT_EQ(readArrayFile(path, 0, error), std::vector<int16_t>{});
}

TEST(ArrayFileTest, OnlyRegularFilesAreRead) {
    const TemporaryFolder scratch;
    const std::string fifo = scratch.file("array.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string &path : {scratch.path().string(), std::string("/dev/zero"), fifo}) {
        std::string error;
        EXPECT_FALSE(readArrayFile(path, 4, error).has_value()) << path;
        EXPECT_EQ(error, path + " is not a regular file");
    }
}

TEST(ArrayFileTest, WritingReplacesTheFileKeepingItsMode) {
    const TemporaryFolder scratch;
    const std::string path = scratch.file("replaced.bin");
    const std::string link = scratch.file("replaced.link");
    std::ofstream(path, std::ios::binary) << "old!";
    ::chmod(path.c_str(), 0640);
    ASSERT_EQ(::link(path.c_str(), link.c_str()), 0);
    std::string error;
    ASSERT_TRUE(writeArrayFile(path, {0x4241}, error)) << error;
    EXPECT_EQ(contents(path), "AB");
    EXPECT_EQ(contents(link), "old!") << "written in place, not through a new file";
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(ArrayFileTest, UnwritableTargetsAreRefusedCleanly) {
    const TemporaryFolder scratch;
    const std::string folder = scratch.file("unwritable");
    std::filesystem::create_directories(folder + "/target");
    std::string error;
    EXPECT_FALSE(writeArrayFile(folder + "/target", {1}, error));
    EXPECT_EQ(error, folder + "/target is not a regular file");
    EXPECT_FALSE(writeArrayFile(folder + "/missing/out.bin", {1}, error));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST(MethodArgumentsTest, NegativeLengthStillHandsOverAnArray) {
    const TemporaryFolder scratch;
    MethodArguments arguments;
    std::string error;
    const std::string path = scratch.file("none.bin");
    ASSERT_TRUE(arguments.prepare(kToArray, words({("@" + path).c_str(), "-5"}), error));
    EXPECT_NE(arguments.values()[0].piVal, nullptr);
    ASSERT_TRUE(arguments.finish(0, error));
    EXPECT_EQ(readArrayFile(path, 100, error), std::vector<int16_t>{});
}

} // namespace
