#include "testsupport/gui/CeguiNullFixture.hpp"

#include "framework/cegui/CeguiCanvasWidget.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "testsupport/LogCapture.hpp"

#include <gmock/gmock.h>

namespace {

using velk_test::NullInitHelper;
using velk_test::TempFolder;
using velk_test::guiDataFolder;
using velk_test::readFile;
using velk_test::writeFile;

int countOf(const std::string& text, const std::string& part)
{
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(CeguiFrameworkTest, InitRunsOnceAndShutdownTearsEverythingDown)
{
    velk_test::LogCapture logs;
    TempFolder temp;
    NullInitHelper helper(guiDataFolder(), (temp.getPath() / "gui.log").string());
    CeguiFramework framework;
    EXPECT_FALSE(framework.isInitialised());

    logs.clear();
    framework.init(&helper);
    framework.init(&helper);
    const std::string out = logs.text();
    EXPECT_EQ(countOf(out, "[CeguiFramework] init started\n"), 1);
    EXPECT_EQ(countOf(out, "[CeguiFramework] init ended\n"), 1);
    EXPECT_TRUE(framework.isInitialised());
    ASSERT_NE(CEGUI::System::getSingletonPtr(), nullptr);
    EXPECT_NE(CEGUI::System::getSingleton().getScriptingModule(), nullptr);

    logs.clear();
    framework.shutdown();
    framework.shutdown();
    const std::string down = logs.text();
    EXPECT_EQ(countOf(down, "[CeguiFramework] shutdown started\n"), 1);
    EXPECT_EQ(countOf(down, "[CeguiFramework] shutdown ended\n"), 1);
    EXPECT_FALSE(framework.isInitialised());
    EXPECT_EQ(CEGUI::System::getSingletonPtr(), nullptr);
    EXPECT_EQ(CEGUI::Logger::getSingletonPtr(), nullptr);
}

TEST(CeguiFrameworkTest, InitWithoutHelperDoesNothing)
{
    velk_test::LogCapture logs;
    CeguiFramework framework;
    logs.clear();
    framework.init(nullptr);
    EXPECT_THAT(logs.text(), testing::HasSubstr("[CeguiFramework] init failed"));
    EXPECT_FALSE(framework.isInitialised());
    EXPECT_EQ(CEGUI::System::getSingletonPtr(), nullptr);
    EXPECT_EQ(framework.getRootWindow(), nullptr);
    EXPECT_EQ(framework.getWindow("Anything"), nullptr);
}

class FailingHelper : public NullInitHelper {
public:
    using NullInitHelper::NullInitHelper;
    void bootstrapCeguiRenderer() override { throw std::runtime_error("no OpenGL"); }
};

class SilentHelper : public NullInitHelper {
public:
    using NullInitHelper::NullInitHelper;
    void bootstrapCeguiRenderer() override {}
};

TEST(CeguiFrameworkTest, RendererThatCannotStartLeavesNothingBehind)
{
    velk_test::LogCapture logs;
    TempFolder temp;
    CeguiFramework framework;
    FailingHelper failing(guiDataFolder(), (temp.getPath() / "gui.log").string());
    logs.clear();
    EXPECT_THROW(framework.init(&failing), std::runtime_error);
    SilentHelper silent(guiDataFolder(), (temp.getPath() / "gui.log").string());
    framework.init(&silent);
    const std::string out = logs.text();
    EXPECT_EQ(countOf(out, "[CeguiFramework] init failed"), 2);
    EXPECT_FALSE(framework.isInitialised());
    EXPECT_EQ(CEGUI::Logger::getSingletonPtr(), nullptr);

    // A working helper afterwards starts the GUI normally.
    NullInitHelper working(guiDataFolder(), (temp.getPath() / "gui.log").string());
    framework.init(&working);
    EXPECT_TRUE(framework.isInitialised());
}

TEST(CeguiFrameworkTest, InitAfterShutdownStartsAgainWithTheCanvasType)
{
    TempFolder temp;
    NullInitHelper helper(guiDataFolder(), (temp.getPath() / "gui.log").string());
    CeguiFramework framework;
    for (int run = 0; run < 2; ++run) {
        framework.init(&helper);
        ASSERT_TRUE(framework.isInitialised()) << "run " << run;
        EXPECT_TRUE(CEGUI::WindowFactoryManager::getSingleton().isFactoryPresent(CeguiCanvasWidget::WidgetTypeName));
        CEGUI::Window* canvas = CEGUI::WindowManager::getSingleton().createWindow("CanvasWidget", "Canvas");
        EXPECT_NE(dynamic_cast<CeguiCanvasWidget*>(canvas), nullptr);
        EXPECT_TRUE(CEGUI::SchemeManager::getSingleton().isDefined("GWEN"));
        framework.shutdown();
    }
    EXPECT_TRUE(CeguiCustomWidget<CeguiCanvasWidget>::sIsInited);
}

TEST(CeguiFrameworkTest, TwoFrameworksOneAfterTheOther)
{
    TempFolder temp;
    NullInitHelper helper(guiDataFolder(), (temp.getPath() / "gui.log").string());
    {
        CeguiFramework first;
        first.init(&helper);
        ASSERT_TRUE(first.isInitialised());
    }
    CeguiFramework second;
    second.init(&helper);
    ASSERT_TRUE(second.isInitialised());
    EXPECT_NO_THROW(CEGUI::WindowManager::getSingleton().createWindow("CanvasWidget", "Canvas"));
}

TEST(CeguiFrameworkTest, ResourceGroupsPointIntoTheFolder)
{
    TempFolder temp;
    NullInitHelper helper(guiDataFolder(), (temp.getPath() / "gui.log").string());
    CeguiFramework framework;
    framework.init(&helper);
    auto* provider = dynamic_cast<CEGUI::DefaultResourceProvider*>(CEGUI::System::getSingleton().getResourceProvider());
    ASSERT_NE(provider, nullptr);

    const std::pair<const char*, const char*> groups[] = {
        {"Animations", "/animations"}, {"Fonts", "/fonts"},     {"Imagesets", "/imagesets"},
        {"LookNFeel", "/looknfeel"},   {"Schemes", "/schemes"}, {"Layouts", "/layouts"},
        {"Scripts", "/scripts"},
    };
    for (const auto& [group, suffix] : groups) {
        // CEGUI ends every non-empty group directory with a slash.
        const std::string expected = guiDataFolder() + suffix + "/";
        EXPECT_EQ(ceguiStringToUtf8(provider->getResourceGroupDirectory(group)), expected) << group;
    }
    EXPECT_EQ(ceguiStringToUtf8(provider->getResourceGroupDirectory("Root")), "");

    EXPECT_EQ(CEGUI::AnimationManager::getDefaultResourceGroup(), "Animations");
    EXPECT_EQ(CEGUI::Font::getDefaultResourceGroup(), "Fonts");
    EXPECT_EQ(CEGUI::ImageManager::getImagesetDefaultResourceGroup(), "Imagesets");
    EXPECT_EQ(CEGUI::WidgetLookManager::getDefaultResourceGroup(), "LookNFeel");
    EXPECT_EQ(CEGUI::Scheme::getDefaultResourceGroup(), "Schemes");
    EXPECT_EQ(CEGUI::WindowManager::getDefaultResourceGroup(), "Layouts");
    EXPECT_EQ(CEGUI::ScriptModule::getDefaultResourceGroup(), "Scripts");
}

TEST(CeguiFrameworkTest, LogFileStartsAfreshAtEachRun)
{
    TempFolder temp;
    const auto log = temp.getPath() / "gui.log";
    writeFile(log, "A LINE OF AN EARLIER RUN\n");
    NullInitHelper helper(guiDataFolder(), log.string());
    CeguiFramework framework;
    framework.init(&helper);
    framework.shutdown();
    const std::string text = readFile(log);
    EXPECT_EQ(text.find("A LINE OF AN EARLIER RUN"), std::string::npos);
    EXPECT_NE(text.find("GWEN"), std::string::npos) << "the log should tell about the loaded scheme";
}

TEST(CeguiFrameworkTest, UnwritableLogFileIsReportedAndStartUpGoesOn)
{
    velk_test::LogCapture logs;
    TempFolder temp;
    NullInitHelper helper(guiDataFolder(), (temp.getPath() / "no" / "such" / "folder" / "gui.log").string());
    CeguiFramework framework;
    logs.clear();
    framework.init(&helper);
    const std::string out = logs.text();
    EXPECT_THAT(out, testing::HasSubstr("[CeguiFramework] GUI log file"));
    EXPECT_TRUE(framework.isInitialised());
    EXPECT_TRUE(CEGUI::SchemeManager::getSingleton().isDefined("GWEN"));
}

/// CEGUI's logger, with a look at the messages it holds back for a file.
class ProbeLogger : public CEGUI::DefaultLogger {
public:
    size_t heldBack() const { return d_caching ? d_cache.size() : 0; }
};

TEST(CeguiFrameworkLogTest, WithoutItsFileTheLogDoesNotPileUpInMemory)
{
    TempFolder temp;
    ProbeLogger logger; // present before the framework starts: the framework uses it
    NullInitHelper helper(guiDataFolder(), (temp.getPath() / "missing" / "gui.log").string());
    {
        const velk_test::LogCapture quiet;
        CeguiFramework framework;
        framework.init(&helper);
        for (int i = 0; i < 50; ++i) {
            CEGUI::WindowManager::getSingleton().destroyWindow(
                CEGUI::WindowManager::getSingleton().createWindow("GWEN/Button"));
        }
        EXPECT_EQ(logger.heldBack(), 0u);
    }
    EXPECT_EQ(CEGUI::Logger::getSingletonPtr(), &logger) << "a logger the framework did not make stays";
}

TEST(CeguiFrameworkTest, BrokenOrMissingStartScriptIsReportedAndEndsTheStart)
{
    struct Case {
        const char* name;
        const char* script; // null: no start script at all
        const char* detail;
    } cases[] = {
        {"missing", nullptr, "init_script.lua"},
        {"Lua error", "local x = nil\nx.field = 1\n", ":2: attempt to index"},
    };
    for (const Case& c : cases) {
        velk_test::LogCapture logs;
        TempFolder temp;
        if (c.script) {
            writeFile(temp.getPath() / "gui" / "scripts" / "init_script.lua", c.script);
        }
        NullInitHelper helper((temp.getPath() / "gui").string(), (temp.getPath() / "gui.log").string());
        CeguiFramework framework;
        logs.clear();
        EXPECT_THROW(framework.init(&helper), CEGUI::Exception) << c.name;
        const std::string out = logs.text();
        EXPECT_THAT(out, testing::HasSubstr("[CeguiFramework] start script init_script.lua failed")) << c.name;
        EXPECT_THAT(out, testing::HasSubstr(c.detail)) << c.name;
        // One log line for the failure, however many lines Lua wrote.
        EXPECT_EQ(countOf(out, "\n"), 2) << c.name << ": " << out;
        EXPECT_FALSE(framework.isInitialised()) << c.name;
        EXPECT_EQ(CEGUI::System::getSingletonPtr(), nullptr) << c.name;
        EXPECT_EQ(CEGUI::Logger::getSingletonPtr(), nullptr) << c.name;
    }
}

TEST(CeguiFrameworkTest, FolderWithHungarianLettersIsFound)
{
    TempFolder temp;
    // The start script names its window with Hungarian letters too.
    const std::string folder = (temp.getPath() / "G\xC3\xA9ph\xC3\xA1z" / "gui").string();
    writeFile(std::filesystem::path(folder) / "scripts" / "init_script.lua",
              "local w = CEGUI.WindowManager:getSingleton():createWindow('DefaultWindow', '\xC3\x81rv\xC3\xADz')\n"
              "CEGUI.System:getSingleton():getDefaultGUIContext():setRootWindow(w)\n");
    NullInitHelper helper(folder, (temp.getPath() / "gui.log").string());
    CeguiFramework framework;
    framework.init(&helper);
    CEGUI::Window* root = framework.getRootWindow();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(ceguiStringToUtf8(root->getName()), "\xC3\x81rv\xC3\xADz");
}

class CeguiFrameworkWindowsTest : public velk_test::CeguiFixture {};

TEST_F(CeguiFrameworkWindowsTest, WindowsAreFoundByPath)
{
    CEGUI::Window* menu = create("DefaultWindow", "Menu");
    CEGUI::Window* ok = create("DefaultWindow", "Ok", menu);
    EXPECT_EQ(framework.getRootWindow(), root);
    EXPECT_EQ(framework.getWindow(""), root);
    EXPECT_EQ(framework.getWindow("Menu"), menu);
    EXPECT_EQ(framework.getWindow("Menu/Ok"), ok);
    EXPECT_THROW(framework.getWindow("Menu/Cancel"), CEGUI::UnknownObjectException);
}

TEST_F(CeguiFrameworkWindowsTest, WithoutRootWindowLookupsGiveNull)
{
    CEGUI::System::getSingleton().getDefaultGUIContext().setRootWindow(nullptr);
    EXPECT_EQ(framework.getRootWindow(), nullptr);
    EXPECT_EQ(framework.getWindow(""), nullptr);
    EXPECT_EQ(framework.getWindow("Menu"), nullptr);
}

TEST_F(CeguiFrameworkWindowsTest, OneLayoutPerWindowAndItGoesWithTheWindow)
{
    CEGUI::Window* box = createAt(root, "Box", 0, 0, 300, 100);
    CEGUI::Window* other = createAt(root, "Other", 0, 200, 300, 100);

    CeguiFlowLayout* first = framework.createFlowLayout(box, CeguiFlowLayout::Row);
    EXPECT_EQ(first->getContainer(), box);
    CeguiGridLayout* second = framework.crateGridLayout(box, CeguiGridLayout::Cells);
    CeguiFlowLayout* third = framework.createFlowLayout(other, CeguiFlowLayout::Column);
    EXPECT_EQ(framework.getLayoutCount(), 2u);
    EXPECT_EQ(framework.findLayout(box), second);
    EXPECT_EQ(framework.findLayout(other), third);

    CEGUI::WindowManager::getSingleton().destroyWindow(box);
    EXPECT_EQ(framework.getLayoutCount(), 1u);
    EXPECT_EQ(framework.findLayout(other), third);

    framework.removeLayout(other);
    EXPECT_EQ(framework.getLayoutCount(), 0u);
    framework.removeLayout(other); // nothing left to remove
    EXPECT_EQ(framework.getLayoutCount(), 0u);
}

TEST_F(CeguiFrameworkWindowsTest, LayoutMovedToAnotherWindowIsKeptOnce)
{
    CEGUI::Window* first = createAt(root, "First", 0, 0, 300, 100);
    CEGUI::Window* second = createAt(root, "Second", 0, 200, 300, 100);
    CeguiFlowLayout* layout = framework.createFlowLayout(first, CeguiFlowLayout::Row);
    framework.setupLayout(second, layout);
    EXPECT_EQ(framework.getLayoutCount(), 1u);
    EXPECT_EQ(framework.findLayout(second), layout);
    EXPECT_EQ(framework.findLayout(first), nullptr);
    framework.setupLayout(second, layout); // again on the same window
    EXPECT_EQ(framework.getLayoutCount(), 1u);
    EXPECT_EQ(layout->getContainer(), second);
}

TEST_F(CeguiFrameworkWindowsTest, LayoutsAreDroppedAtShutdown)
{
    CEGUI::Window* box = createAt(root, "Box", 0, 0, 300, 100);
    createAt(box, "Child", 0, 0, 10, 10);
    framework.createFlowLayout(box, CeguiFlowLayout::Row);
    framework.shutdown();
    EXPECT_EQ(framework.getLayoutCount(), 0u);
}

TEST_F(CeguiFrameworkWindowsTest, FrameworkGoingFirstLeavesNoHandlerBehind)
{
    // A framework that did not start the running CEGUI system may go while
    // windows with its layouts live on; destroying them later must not call it.
    auto guest = std::make_unique<CeguiFramework>();
    CEGUI::Window* box = createAt(root, "Box", 0, 0, 300, 100);
    guest->createFlowLayout(box, CeguiFlowLayout::Row);
    guest.reset();
    EXPECT_NO_THROW(CEGUI::WindowManager::getSingleton().destroyWindow(box));
}

} // namespace
