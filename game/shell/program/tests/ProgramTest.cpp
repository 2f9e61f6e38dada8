// The program without a window: the first screen by command line, and starts
// that fail.

#include "game/shell/program/VelkProgram.hpp"

#include "engine/GameFramework.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
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

TEST_F(StartTest, EveryStartFailureIsLoggedAndEndsWithoutAWindow)
{
    struct Case {
        const char* name;
        bool folderBlocked; // a file where the data folder should be
        const char* reason;
    } cases[] = {
        {"folders", true, "[Velkors] Cannot start:"},
        // The GUI layer, not the file system: no display to open the window on.
        {"no display", false, "[Velkors] Cannot start: no window to draw the GUI into"},
    };
    unsetenv("DISPLAY");
    for (const Case& c : cases) {
        fs::remove_all("data");
        if (c.folderBlocked)
            velk_test::writeFile("data", "a file where the folder should be");
        velk_test::LogCapture log;
        char program[] = "velk";
        char* argv[] = {program, nullptr};
        EXPECT_NE(velk::runGame(1, argv), 0) << c.name;
        EXPECT_TRUE(log.contains(c.reason)) << c.name << "\n" << log.text();
        EXPECT_TRUE(log.contains("[GameFramework] init failed:")) << c.name;
        EXPECT_FALSE(GameFramework::Singleton.isInitialised()) << c.name;
        EXPECT_EQ(GameFramework::Singleton.getSfmlFramework(), nullptr) << c.name;
        EXPECT_EQ(GameFramework::Singleton.getCeguiFramework(), nullptr) << c.name;
    }
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
