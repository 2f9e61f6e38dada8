// The ship editor in a real window under Xvfb, played with real input
// (xdotool): hull points clicked onto the grid, a drill and a jet dragged from
// the inventory, the drill turned and mirrored, a hull texture and colour
// picked, the ship saved under a new name, the test drive watched and reset,
// then Exit. The saved file, the recorded test drive and three screenshots
// are checked. Also: the back button and arrow keys while the file window is
// open, and where a part's picture lands for an asymmetric rectangle.

#include "engine/GameInputSource.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "game/editor/BuilderController.hpp"
#include "game/editor/EditorState.hpp"
#include "game/editor/TestController.hpp"
#include "game/editor/TestShipObject.hpp"
#include "game/shell/FolderFiles.hpp"
#include "game/shell/Global.hpp"
#include "game/ship/backend/ShipEntry.hpp"
#include "game/ship/backend/ShipPart.hpp"
#include "game/ship/backend/ShipPartStore.hpp"
#include "testsupport/game/GameTestSupport.hpp"

#include "framework/sfml/SfmlFramework.hpp"

#include <CEGUI/CEGUI.h>
#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

CEGUI::Window* at(const char* path)
{
    return velk_test::guiRoot()->getChild(path);
}

/// The editor screen that, once its GUI stands, writes where its widgets are
/// for the driver script, and records the test ship frame by frame. Ends by
/// itself after a while, so a lost click cannot hang the test.
class RecordingEditor : public velk::EditorState {
public:
    struct Sample {
        const void* ship;
        float y;
        bool testTab;
    };

    explicit RecordingEditor(fs::path coordinates) : coordinates(std::move(coordinates)) {}

    velk::BuilderController* builder() const { return static_cast<velk::BuilderController*>(getController(0)); }

    void update() override
    {
        EditorState::update();
        if (!written) {
            writeCoordinates();
            written = true;
            started = std::chrono::steady_clock::now();
            if (onStart)
                onStart();
        }
        if (onFrame)
            onFrame();
        auto* test = static_cast<velk::TestController*>(getController(2));
        if (test && test->getShip())
            samples.push_back({test->getShip(), test->getShip()->getPosition().y, test->isActive()});
        if (std::chrono::steady_clock::now() - started > std::chrono::seconds(60))
            app::State::terminate();
    }

    std::vector<Sample> samples;
    std::function<void()> onStart, onFrame;
    math::Vector2<float> origin;

private:
    static void centre(std::ostream& out, const std::string& name, const CEGUI::Window* window)
    {
        const CEGUI::Rectf r = window->getUnclippedOuterRect().get();
        out << name << "_X=" << static_cast<int>(r.left() + r.getWidth() / 2) << "\n"
            << name << "_Y=" << static_cast<int>(r.top() + r.getHeight() / 2) << "\n";
    }

    void writeCoordinates()
    {
        std::ostringstream out;
        origin = builder()->getGridPos() + builder()->grid().origin;
        // Window pixels of ship position (0, 0); one ship unit is 100 pixels at the start.
        out << "OX=" << static_cast<int>(origin.x) << "\nOY=" << static_cast<int>(origin.y) << "\n";
        auto* parts = static_cast<CEGUI::TabControl*>(at("Center/Inventory/PartsTabs"));
        for (std::size_t i = 0; i < parts->getTabCount(); ++i) {
            centre(out, "PARTTAB" + std::to_string(i), parts->getChild("__auto_TabPane__Buttons")->getChildAtIdx(i));
            CEGUI::Window* items = parts->getTabContentsAtIndex(i)->getChild("Scroll/__auto_container__");
            if (items->getChildCount() > 0)
                centre(out, "ITEM" + std::to_string(i), items->getChildAtIdx(0));
        }
        auto* view = static_cast<CEGUI::TabControl*>(at("Center/View/Tabs"));
        for (std::size_t i = 0; i < view->getTabCount(); ++i)
            centre(out, "VIEWTAB" + std::to_string(i), view->getChild("__auto_TabPane__Buttons")->getChildAtIdx(i));
        auto* outfit = static_cast<CEGUI::TabControl*>(at("Center/Inventory/OutfitTabs"));
        centre(out, "TEXTURE0",
               outfit->getTabContentsAtIndex(0)->getChild("Scroll/__auto_container__")->getChildAtIdx(0));
        centre(out, "MIRROR", at("Center/Tools/PartProperties/Mirroring/Check"));
        centre(out, "RED", at("Center/Tools/ShipColor/__auto_contentpane__/Red/Spinner/__auto_editbox__"));
        centre(out, "SAVEAS", at("Center/Stats/ShipMenu/SaveAs"));
        centre(out, "EXIT", at("Center/Stats/ShipMenu/Exit"));
        centre(out, "FILEEDIT", at("File/Edit"));
        centre(out, "FILEOK", at("File/Buttons/OkButton"));
        centre(out, "CANCEL", at("File/Buttons/CancelButton"));
        const fs::path temporary = coordinates.string() + ".tmp";
        std::ofstream(temporary) << out.str();
        fs::rename(temporary, coordinates);
    }

    fs::path coordinates;
    bool written = false;
    std::chrono::steady_clock::time_point started;
};

/// Live input, with button 1 of joystick 0 held while `held` is set: there
/// is no joystick under Xvfb.
struct BackButtonSource : GameInputSource, fx::InputState {
    bool held = false;
    const fx::InputState& heldInput() const override { return *this; }
    bool isKeyDown(sf::Keyboard::Key k) const override { return fx::InputState::live().isKeyDown(k); }
    bool isMouseButtonDown(sf::Mouse::Button b) const override { return fx::InputState::live().isMouseButtonDown(b); }
    bool isJoystickButtonDown(unsigned j, unsigned b) const override { return held && j == 0 && b == 1; }
};

class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const fs::path ships = runtime.path() / "data" / "ships";
        fs::remove(ships); // a folder of its own: the shipped ships stay untouched
        fs::create_directory(ships);
    }

    void TearDown() override
    {
        GameFramework::Singleton.shutdown();
        if (driver > 0) {
            kill(driver, SIGKILL);
            waitpid(driver, nullptr, 0);
        }
    }

    /// Runs the driver script as a player at the mouse and keyboard.
    void drive(const std::string& script)
    {
        const std::string full =
            "set -e\n"
            "wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Velkors$' | head -n1)\n"
            "xdotool windowfocus \"$wid\"\n"
            "for _ in $(seq 200); do [ -f coords.sh ] && break; sleep 0.05; done\n"
            ". ./coords.sh\n"
            "sleep 0.5\n"
            "at() { xdotool mousemove --window \"$wid\" \"$1\" \"$2\"; sleep 0.15; }\n"
            "click() { at \"$1\" \"$2\"; xdotool click 1; sleep 0.3; }\n"
            // Ship units to window pixels: x right, y up, 100 pixels a unit.
            "sx() { echo $((OX + $1)); }\n"
            "sy() { echo $((OY - $1)); }\n"
            "drag() { at \"$1\" \"$2\"; xdotool mousedown 1; sleep 0.15;\n"
            "  for i in 1 2 3 4 5 6 7 8; do\n"
            "    xdotool mousemove --window \"$wid\" $(( $1 + ($3 - $1) * i / 8 )) $(( $2 + ($4 - $2) * i / 8 )); "
            "sleep 0.08;\n"
            "  done; sleep 0.2; xdotool mouseup 1; sleep 0.4; }\n"
            // Taking a picture may move the keyboard focus away: give it back.
            "shot() { sleep 0.4; import -window \"$wid\" \"$1\"; xdotool windowfocus \"$wid\"; sleep 0.3; }\n" +
            script;
        char shell[] = "/bin/sh";
        char flag[] = "-c";
        std::vector<char> text(full.begin(), full.end());
        text.push_back('\0');
        char* argv[] = {shell, flag, text.data(), nullptr};
        ASSERT_EQ(posix_spawn(&driver, "/bin/sh", nullptr, nullptr, argv, environ), 0);
    }

    /// The engine in its window, and an editor screen set up to run in it.
    std::shared_ptr<RecordingEditor> startEditor()
    {
        velk::VelkInitHelper helper;
        char program[] = "velk";
        char* argv[] = {program, nullptr};
        EXPECT_TRUE(GameFramework::Singleton.tryInit({1, argv}, &helper));
        auto editor = std::make_shared<RecordingEditor>(runtime.path() / "coords.sh");
        GameFramework::Singleton.getSfmlFramework()->setupState(editor.get());
        return editor;
    }

    int driverResult()
    {
        int status = 0;
        waitpid(driver, &status, 0);
        driver = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static sf::Image load(const fs::path& path)
    {
        sf::Image image;
        EXPECT_TRUE(image.loadFromFile(path.string())) << path;
        // Kept in the build tree for a look by eye.
        std::error_code ignored;
        fs::copy_file(path, fs::path(VELK_BINARY_DIR) / ("editor-" + path.filename().string()),
                      fs::copy_options::overwrite_existing, ignored);
        return image;
    }

    /// How many pixels of the rectangle have exactly this colour.
    static int count(const sf::Image& image, sf::Color color, int left, int top, int right, int bottom)
    {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                n += image.getPixel(x, y) == color ? 1 : 0;
        return n;
    }

    velk_test::RuntimeFolder runtime;
    pid_t driver = 0;
};

TEST_F(EditorWindowTest, BuildSaveAndTestDriveANewShip)
{
    GameFramework& engine = GameFramework::Singleton;
    velk::VelkInitHelper helper;
    char program[] = "velk";
    char* argv[] = {program, nullptr};
    ASSERT_TRUE(engine.tryInit({1, argv}, &helper));
    SfmlFramework* sfml = engine.getSfmlFramework();
    ASSERT_NE(sfml->getWindow(), nullptr);
    const sf::Vector2u size = sfml->getWindow()->getSize();

    // Hull: a 4 x 2 box; a drill right of it, turned one wheel step and
    // mirrored; a main engine under it. Then the texture and the colour, a
    // save as "e2e_ship", the test drive with a reset, and Exit.
    drive("click $(sx -200) $(sy 100)\n"
          "click $(sx 200) $(sy 100)\n"
          "click $(sx 200) $(sy -100)\n"
          "click $(sx -200) $(sy -100)\n"
          "drag $ITEM0_X $ITEM0_Y $(sx 300) $(sy 0)\n"
          "at $(sx 300) $(sy 0); xdotool click 4; sleep 0.3\n"
          "click $MIRROR_X $MIRROR_Y\n"
          "click $PARTTAB1_X $PARTTAB1_Y\n"
          "drag $ITEM1_X $ITEM1_Y $(sx 0) $(sy -230)\n"
          "shot builder.png\n"
          "click $VIEWTAB1_X $VIEWTAB1_Y\n"
          "click $TEXTURE0_X $TEXTURE0_Y\n"
          "click $RED_X $RED_Y\n"
          "xdotool key End BackSpace BackSpace BackSpace; sleep 0.1; xdotool type 200; xdotool key Return; sleep 0.3\n"
          "shot texture.png\n"
          "click $SAVEAS_X $SAVEAS_Y\n"
          "click $FILEEDIT_X $FILEEDIT_Y\n"
          "xdotool type e2e_ship; sleep 0.2\n"
          "click $FILEOK_X $FILEOK_Y\n"
          "click $VIEWTAB2_X $VIEWTAB2_Y\n"
          "at 5 5\n"
          "sleep 5\n"
          "shot test.png\n"
          "xdotool key F7; sleep 0.3\n"
          "shot overlay.png\n"
          "xdotool key F7; sleep 0.2\n"
          "xdotool key r; sleep 2\n"
          "click $VIEWTAB0_X $VIEWTAB0_Y\n"
          "click $EXIT_X $EXIT_Y\n");

    auto editor = std::make_shared<RecordingEditor>(runtime.path() / "coords.sh");
    sfml->setupState(editor.get());
    EXPECT_EQ(engine.run(editor), 0);
    EXPECT_EQ(driverResult(), 0);

    // The saved file: the four points (snapped to tenths), the two parts with
    // the drill's turn and mirroring, the texture and the colour.
    const fs::path saved = runtime.path() / "data" / "ships" / "e2e_ship.ship.json";
    ASSERT_TRUE(fs::exists(saved));
    velk::backend::ShipEntry ship;
    ASSERT_TRUE(ship.loadFromFile(saved.string()));
    const std::vector<math::Vector2<float>> corners{{-2, 1}, {2, 1}, {2, -1}, {-2, -1}};
    ASSERT_EQ(ship.pointSet().getResources().size(), corners.size());
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const math::Vector2<float> p = ship.pointSet().getResources()[i]->getPosition();
        EXPECT_NEAR(p.x, corners[i].x, 0.051f) << i;
        EXPECT_NEAR(p.y, corners[i].y, 0.051f) << i;
    }
    ASSERT_EQ(ship.partSet().getResources().size(), 2u);
    const velk::backend::PartEntry* drill = ship.partSet().getResources()[0];
    const velk::backend::PartEntry* jet = ship.partSet().getResources()[1];
    ASSERT_NE(drill->getShipPart(), nullptr);
    ASSERT_NE(jet->getShipPart(), nullptr);
    EXPECT_EQ(drill->getShipPart()->getCategory(), "drill");
    EXPECT_EQ(jet->getShipPart()->getCategory(), "jet");
    EXPECT_NEAR(drill->getPosition().x, 3.0f, 0.02f);
    EXPECT_NEAR(drill->getPosition().y, 0.0f, 0.02f);
    EXPECT_NEAR(drill->getRotation(), 0.31415927f, 1e-4f);
    EXPECT_TRUE(drill->isMirroredX());
    EXPECT_EQ(drill->properties().count("drillhead"), 1u);
    EXPECT_NEAR(jet->getPosition().y, -2.3f, 0.02f);
    EXPECT_FALSE(jet->isMirroredX());
    EXPECT_EQ(ship.getTextureFile(), "hazard.png");
    EXPECT_EQ(ship.getColor(), velk::backend::ShipColor(200, 255, 255, 255));
    // The new ship is among the files the game lists.
    const auto listed = velk::getFilesInFolder(velk::ShipPath, ".json");
    EXPECT_NE(std::find(listed.begin(), listed.end(), "e2e_ship.ship.json"), listed.end());

    // Screenshots: the grid, the textured hull, the test world drew.
    const sf::Image builder = load(runtime.path() / "builder.png");
    ASSERT_EQ(builder.getSize(), size);
    EXPECT_GT(count(builder, sf::Color(27, 42, 54), 0, 0, 770, 550), 50000);  // grid background
    EXPECT_GT(count(builder, sf::Color(192, 226, 255), 0, 0, 770, 550), 300); // outline, axes, handles
    const sf::Image texture = load(runtime.path() / "texture.png");
    EXPECT_LT(count(texture, sf::Color(27, 42, 54), 0, 0, 770, 550), 1000); // no builder grid there
    const sf::Image drive = load(runtime.path() / "test.png");
    EXPECT_GT(count(drive, sf::Color(66, 63, 71), 0, 0, static_cast<int>(size.x), static_cast<int>(size.y) - 30), 5000);
    EXPECT_GT(count(drive, sf::Color(31, 52, 55), 0, 0, static_cast<int>(size.x), static_cast<int>(size.y) - 30), 200);
    // F7: the physics shapes and the rising "Phisics ON" over the resting ship.
    const sf::Image overlay = load(runtime.path() / "overlay.png");
    int changed = 0;
    for (unsigned y = 40; y + 30 < size.y; ++y)
        for (unsigned x = 0; x < size.x; ++x)
            changed += overlay.getPixel(x, y) != drive.getPixel(x, y) ? 1 : 0;
    EXPECT_GT(changed, 500);

    // The test drive: the ship came down from its start and rested, then R
    // put a new one at the start again.
    std::vector<RecordingEditor::Sample> test;
    for (const auto& sample : editor->samples)
        if (sample.testTab)
            test.push_back(sample);
    ASSERT_GT(test.size(), 60u);
    // A new ship starts high above where the old one rested (its address may be the old one's).
    std::size_t reset = 1;
    while (reset < test.size() && test[reset].y < test[reset - 1].y + 3.0f)
        ++reset;
    ASSERT_LT(reset, test.size()) << "R built no new ship";
    ASSERT_GT(reset, 30u);
    EXPECT_GT(test.front().y, 6.0f);
    const float rest = test[reset - 1].y;
    EXPECT_LT(rest, 4.0f);
    EXPECT_GT(rest, 0.5f);                        // on the ground, not through it
    EXPECT_NEAR(test[reset - 10].y, rest, 0.05f); // at rest for the last frames
    EXPECT_GT(test[reset].y, 6.0f);
}

TEST_F(EditorWindowTest, TheFileWindowKeepsTheBackButtonAndTheArrowKeysFromTheMenu)
{
    BackButtonSource source;
    std::shared_ptr<RecordingEditor> editor = startEditor();
    editor->getStepper().setInputSource(source);
    struct {
        bool fileOpen = true;
        std::size_t points = 0, caret = 0;
        std::string name;
    } atExit;
    std::vector<CEGUI::Vector2f> cursorWhileTyping;
    editor->onStart = [&] {
        // As the screen binds it when a joystick is connected.
        editor->getStepper().setBackAction(fx::InputAction(fx::JoystickButton(0, 1), fx::InputAction::Hold));
        at("Center/Stats/ShipMenu/Exit")->subscribeEvent(CEGUI::PushButton::EventClicked, [&] {
            const auto* edit = static_cast<CEGUI::Editbox*>(at("File/Edit"));
            atExit = {at("File")->isVisible(), editor->getShip()->pointSet().getResources().size(),
                      edit->getCaretIndex(), ceguiStringToUtf8(edit->getText())};
        });
    };
    // The back button is held from the moment the file window opens, over a
    // Hungarian name (xdotool cannot type ő here).
    editor->onFrame = [&] {
        if (!at("File")->isVisible())
            return;
        if (!source.held)
            at("File/Edit")->setText(utf8ToCeguiString("Győző"));
        source.held = true;
        if (fx::InputState::live().isKeyDown(sf::Keyboard::Left))
            cursorWhileTyping.push_back(
                CEGUI::System::getSingleton().getDefaultGUIContext().getMouseCursor().getPosition());
    };
    drive("click $OX $OY\n"
          "click $SAVEAS_X $SAVEAS_Y\n"
          "click $FILEEDIT_X $FILEEDIT_Y\n"
          "xdotool key End; sleep 0.2\n"
          "for _ in 1 2; do xdotool keydown Left; sleep 0.2; xdotool keyup Left; sleep 0.3; done\n"
          "sleep 0.5\n"
          "click $CANCEL_X $CANCEL_Y\n");
    EXPECT_EQ(GameFramework::Singleton.run(editor), 0);
    EXPECT_EQ(driverResult(), 0);

    // Exit came only after Cancel; the arrows moved the caret, not the pointer.
    EXPECT_FALSE(atExit.fileOpen);
    EXPECT_EQ(atExit.points, 1u);
    EXPECT_EQ(atExit.name, "Győző");
    EXPECT_EQ(atExit.caret, 3u);
    ASSERT_FALSE(cursorWhileTyping.empty());
    for (const CEGUI::Vector2f& cursor : cursorWhileTyping)
        EXPECT_EQ(cursor, cursorWhileTyping.front());
}

TEST_F(EditorWindowTest, APictureRectangleIsTakenYDownInThePartsFrame)
{
    std::shared_ptr<RecordingEditor> editor = startEditor();
    // Right of the origin and above it on screen: x 0.5 to 2.5, y down -2 to -1.
    sqlite3* db = GameFramework::Singleton.getDatabase();
    ASSERT_EQ(sqlite3_exec(db,
                           "INSERT INTO part (id, code, image, body, category, shape) VALUES"
                           " (9902, 'test.jet', 'jet.mki', '0 0 0.1 0 0 0.1', 'jet', '0.5 -2 2 1')",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    ASSERT_TRUE(velk::backend::ShipPartStore::Singleton.loadFromDatabase(db));
    editor->onStart = [&] {
        editor->builder()->createPartAt(velk::backend::ShipPartStore::Singleton.getPartByCode("test.jet"),
                                        editor->builder()->grid().origin);
    };
    editor->onFrame = [] {
        if (fs::exists("picture.png"))
            app::State::stop();
    };
    drive("at 5 5\nshot picture.png\n");
    EXPECT_EQ(GameFramework::Singleton.run(editor), 0);
    EXPECT_EQ(driverResult(), 0);
    const sf::Image shot = load(runtime.path() / "picture.png");

    // Pixels other than the grid's in the middle of a 200 x 100 box (100 pixels a unit).
    const std::vector<sf::Color> grid{{27, 42, 54}, {87, 151, 152}, {95, 113, 127}, {192, 226, 255}};
    auto drawn = [&](int left, int top) {
        int n = 0;
        for (int y = top + 20; y < top + 80; ++y)
            for (int x = left + 40; x < left + 160; ++x)
                n += std::find(grid.begin(), grid.end(), shot.getPixel(x, y)) == grid.end() ? 1 : 0;
        return n;
    };
    const int x = static_cast<int>(editor->origin.x) + 50, y = static_cast<int>(editor->origin.y);
    EXPECT_GT(drawn(x, y - 200), 120 * 60 * 9 / 10);
    EXPECT_EQ(drawn(x, y + 100), 0); // where a y-up rectangle would put it
}

} // namespace
