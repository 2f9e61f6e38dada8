#include "foundation/tools/AtomicFile.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

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

TEST_F(AtomicFile, ASaveRemovesTheTemporariesOfEndedWritersOnly)
{
    const std::string ended = ".velk-" + std::to_string(velk_test::endedProcessId()) + "-0.tmp";
    const std::string live = ".velk-" + std::to_string(static_cast<long>(getppid())) + "-3.tmp";
    const std::vector<std::string> kept = {live, ".velk-1-0.tmp", ".velk-x-0.tmp", "Győző.ship.json.tmp"};
    velk_test::writeFile(folder / ended, "a copy of the ship an interrupted save left");
    for (const std::string& name : kept)
        velk_test::writeFile(folder / name, "someone's");

    ASSERT_TRUE(tools::writeFileAtomically((folder / "Éva Őrs.ship.json").string(), "{}"));
    EXPECT_FALSE(fs::exists(folder / ended));
    for (const std::string& name : kept)
        EXPECT_TRUE(fs::exists(folder / name)) << name;
    EXPECT_EQ(velk_test::readFile(folder / "Éva Őrs.ship.json"), "{}");
}

} // namespace
