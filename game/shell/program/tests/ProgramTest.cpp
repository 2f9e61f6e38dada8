// The program without a window: the first screen by command line, and a start
// that cannot make its folders.

#include "game/shell/program/VelkProgram.hpp"

#include "engine/GameFramework.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

/// Works in a fresh empty folder while it lives.
class StartTest : public velk_test::TempFolderTest {
protected:
    void SetUp() override { fs::current_path(folder); }
    void TearDown() override { fs::current_path(previous); }
    fs::path previous = fs::current_path();
};

TEST_F(StartTest, FolderErrorEndsTheStartWithoutAWindow)
{
    velk_test::writeFile("data", "a file where the folder should be");
    velk_test::LogCapture log;
    char program[] = "velk";
    char* argv[] = {program, nullptr};
    const int code = velk::runGame(1, argv);
    EXPECT_NE(code, 0);
    EXPECT_TRUE(log.contains("[Velkors] Cannot start:"));
    EXPECT_FALSE(log.contains("[SfmlFramework] init started"));
    EXPECT_FALSE(GameFramework::Singleton.isInitialised());
    EXPECT_EQ(GameFramework::Singleton.getSfmlFramework(), nullptr);
    EXPECT_FALSE(fs::exists("data/velk.db"));
}

TEST(FirstScreenTest, GuiTestOnlyForItsExactKeys)
{
    struct Case {
        std::vector<std::string> words;
        bool guiTest;
    };
    const Case cases[] = {
        {{}, false},           {{"-g"}, true},  {{"--guitest"}, true}, {{"-g=1"}, true}, {{"--guitest=no"}, true},
        {{"x=1", "-g"}, true}, {{"-G"}, false}, {{"-guitest"}, false}, {{"g"}, false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> storage = {"velk"};
        storage.insert(storage.end(), c.words.begin(), c.words.end());
        std::vector<char*> argv;
        for (std::string& word : storage)
            argv.push_back(word.data());
        GameFramework framework;
        framework.parseArgs(std::make_pair(static_cast<int>(argv.size()), argv.data()));
        EXPECT_EQ(velk::wantsGuiTest([&](const std::string& key) { return framework.isArg(key); }), c.guiTest)
            << (c.words.empty() ? "(none)" : c.words[0]);
    }
}

} // namespace
