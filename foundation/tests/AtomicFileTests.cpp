#include "foundation/tools/AtomicFile.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

using AtomicFile = velk_test::TempFolderTest;

TEST_F(AtomicFile, ReplacesContentKeepsPermissionsAndLeavesNoTemporaryFile)
{
    const fs::path file = folder / "beállítások.ini";
    std::ofstream(file) << "a much longer old content than the new one";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);

    std::string error = "untouched";
    ASSERT_TRUE(tools::writeFileAtomically(file.string(), std::string("new\0bytes", 9), &error));
    EXPECT_EQ(error, "untouched");
    EXPECT_EQ(velk_test::readFile(file), std::string("new\0bytes", 9));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(temp.names(), (std::vector<std::string>{"beállítások.ini"}));
}

TEST_F(AtomicFile, FailuresNameTheirCause)
{
    std::string error;
    EXPECT_FALSE(tools::writeFileAtomically((folder / "no" / "such" / "x.txt").string(), "x", &error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(tools::writeFileAtomically(folder.string(), "x", &error));
    EXPECT_EQ(error, "is a directory");
    EXPECT_FALSE(tools::writeFileAtomically("", "x"));
    EXPECT_TRUE(temp.names().empty());
}

TEST_F(AtomicFile, RelativeNamesWriteIntoTheWorkingDirectory)
{
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    const bool written = tools::writeFileAtomically("lang.ini", "hu");
    fs::current_path(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(velk_test::readFile(folder / "lang.ini"), "hu");
    EXPECT_EQ(temp.names().size(), 1u);
}

TEST_F(AtomicFile, ParallelWritersNeverMixTheirTexts)
{
    const fs::path file = folder / "shared.json";
    const std::string a(100000, 'a');
    const std::string b(100000, 'b');
    std::thread first([&] {
        for (int i = 0; i < 20; ++i)
            tools::writeFileAtomically(file.string(), a);
    });
    std::thread second([&] {
        for (int i = 0; i < 20; ++i)
            tools::writeFileAtomically(file.string(), b);
    });
    first.join();
    second.join();
    const std::string result = velk_test::readFile(file);
    EXPECT_TRUE(result == a || result == b);
    EXPECT_EQ(temp.names().size(), 1u);
}

} // namespace
