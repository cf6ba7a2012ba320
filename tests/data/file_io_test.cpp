#include <gtest/gtest.h>

#include <string>

#include "data/data.h"
#include "support/test_support.h"

namespace heliomark {
namespace {

using testing::ExpectRefused;
using testing::TempFolder;

TEST(FileIo, AtomicWriteReplacesTheFileAndLeavesNothingElse) {
    TempFolder folder;
    const auto file = folder / "data.bin";
    testing::WriteText(file, std::string(1000, 'x'));
    const std::string text = "new";
    WriteFileAtomically(file, text.data(), text.size());
    const auto bytes = testing::ReadBytes(file);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "new");
    WriteFileAtomically(file, nullptr, 0);
    EXPECT_TRUE(testing::ReadBytes(file).empty());
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"data.bin"});
}

TEST(FileIo, FailedWritesThrowAndChangeNothing) {
    TempFolder folder;
    const auto missingFolder = folder / "absent" / "data.bin";
    ExpectRefused([&] { WriteFileAtomically(missingFolder, "a", 1); }, missingFolder, "cannot be created",
                  "missing folder");
    std::filesystem::create_directory(folder / "sub");
    std::filesystem::create_directory(folder / "sub" / "taken");
    testing::WriteText(folder / "sub" / "taken" / "inside", "keep");
    const auto taken = folder / "sub" / "taken";
    ExpectRefused([&] { WriteFileAtomically(taken, "a", 1); }, taken, "folder", "name of a folder");
    EXPECT_TRUE(std::filesystem::is_directory(taken));
    EXPECT_EQ(std::filesystem::directory_iterator(folder / "sub")->path().filename(), "taken");
}

TEST(FileIo, ReadWholeFileHonoursItsCap) {
    TempFolder folder;
    const auto file = folder / "f";
    testing::WriteText(file, std::string(100, 'a'));
    EXPECT_EQ(ReadWholeFile(file, 100).size(), 100u);
    EXPECT_EQ(ReadWholeFile(file, 200000).size(), 100u);
    ExpectRefused([&] { ReadWholeFile(file, 99); }, file, "larger than the 99 bytes", "over the cap");
    testing::WriteText(file, "");
    EXPECT_TRUE(ReadWholeFile(file, 10).empty());
}

}  // namespace
}  // namespace heliomark
