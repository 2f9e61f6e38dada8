#include "game/mapper/MapperState.hpp"

#include "app/Language.hpp"
#include "engine/GameFramework.hpp"
#include "foundation/tools/Log.hpp"
#include "foundation/tools/StringUtils.hpp"
#include "framework/cegui/CeguiAccentRoomParser.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "framework/cegui/CeguiTranslation.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/mapper/GridController.hpp"
#include "game/mapper/MapperController.hpp"
#include "game/mapper/ToolsController.hpp"
#include "game/shell/Global.hpp"

#include <CEGUI/CEGUI.h>

#include <sstream>
#include <system_error>

namespace dunnix {

const char* const MapperState::ScriptName = "init_mapper.lua";

namespace {

const char* const Tag = "Mapper";
const char* const MenuPane = "Toolbar/Menu/__auto_contentpane__/";
const char* const PropertiesPane = "Toolbar/Properties/__auto_contentpane__";
const char* const StatusbarPath = "Statusbar";

CEGUI::Window* guiRoot()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow();
}

std::string translate(const std::string& code)
{
    const app::Language* language = GameFramework::Singleton.getLanguage();
    return language ? language->textForCode(code) : "<!" + code + "!>";
}

} // namespace

MapperState::MapperState() : map(math::Vector2<unsigned int>(0, 0)), mapFolder(velk::MapPath)
{
    setBackgroundColor4ub(8, 12, 16, 255);
    std::error_code error;
    if (!std::filesystem::exists(mapFolder, error) && !error) {
        if (!std::filesystem::create_directory(mapFolder, error) && error)
            tools::log(Tag, "Map folder \"" + mapFolder.string() + "\" cannot be created: " + error.message());
    }
}

MapperState::~MapperState()
{
    gridController.reset();
    toolsController.reset();
}

void MapperState::onStateStart()
{
    VelkState::onStateStart();
    changeGwenSkin(Mapper);
    MapperController::initTileTextures();
    initGui();
    toolsController = std::make_unique<ToolsController>(&tools, &map);
    gridController = std::make_unique<GridController>(&tools, &map);
}

void MapperState::onStateEnd()
{
    gridController.reset();
    toolsController.reset();
    stepper.clear();
    MapperController::clearTileTextures();
    statusbar.setStatusbar(nullptr);
    newMapWindow = loadWindow = saveWindow = propertiesWindow = nullptr;
    nameLabel = sizeLabel = tileSizeLabel = tilesPerTextureLabel = nullptr;
    VelkState::onStateEnd();
}

void MapperState::initGui()
{
    CEGUI::System::getSingleton().executeScriptFile(ScriptName, "");
    translateCeguiWindow(guiRoot(), true);
    connectToMenu();
    connectToNewMap();
    connectToLoad();
    connectToSave();
    connectToProperties();
    connectToStatusbar();
    connectToMapDetails();
}

void MapperState::update()
{
    VelkState::update();
    const SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    const float dt = sfml ? sfml->getFrameTime() : 0.0f;
    if (!seenDirty) {
        seenDirty = true;
        lastDirty = tools.isDirty();
    }
    if (tools.isDirty() != lastDirty)
        updateMapDetails();
    lastDirty = tools.isDirty();
    if (toolsController)
        toolsController->update(0.0f);
    if (gridController)
        gridController->update(0.0f);
    // Navigation rests while a dialog is open or something is being typed.
    stepper.setActive(GuiStepper::mayNavigate(CEGUI::System::getSingleton().getDefaultGUIContext()));
    stepper.update(dt);
}

void MapperState::connectToMenu()
{
    stepper.clear();
    CEGUI::Window* root = guiRoot();
    const std::string menu = MenuPane;
    root->getChild(std::string(PropertiesPane) + "/Button")
        ->subscribeEvent(CEGUI::PushButton::EventClicked, CEGUI::Event::Subscriber(&MapperState::onProperties, this));
    root->getChild(menu + "NewButton")
        ->subscribeEvent(CEGUI::PushButton::EventClicked, CEGUI::Event::Subscriber(&MapperState::onMenuNew, this));
    root->getChild(menu + "LoadButton")
        ->subscribeEvent(CEGUI::PushButton::EventClicked, CEGUI::Event::Subscriber(&MapperState::onMenuLoad, this));
    root->getChild(menu + "SaveButton")
        ->subscribeEvent(CEGUI::PushButton::EventClicked, CEGUI::Event::Subscriber(&MapperState::onMenuSave, this));
    root->getChild(menu + "SaveAsButton")
        ->subscribeEvent(CEGUI::PushButton::EventClicked, CEGUI::Event::Subscriber(&MapperState::onMenuSaveAs, this));
    CEGUI::Window* exit = root->getChild(menu + "ExitButton");
    exit->subscribeEvent(CEGUI::PushButton::EventClicked, CEGUI::Event::Subscriber(&MapperState::onMenuExit, this));

    const SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    const unsigned int joystick = sfml ? sfml->getPrimaryJoystick() : static_cast<unsigned int>(sf::Joystick::Count);
    stepper.setBackAction(fx::InputAction(fx::JoystickButton(joystick, 1), fx::InputAction::Hold));
    stepper.activate();
    stepper.getRoot()->connectTo(exit, GuiStepper::Node::All)->setIsBack(true);
}

void MapperState::connectToMapDetails()
{
    CEGUI::Window* pane = guiRoot()->getChild(PropertiesPane);
    nameLabel = pane->getChild("NameLabel");
    showTextsVerbatim(nameLabel);
    sizeLabel = pane->getChild("SizeLabel");
    tileSizeLabel = pane->getChild("TsLabel");
    tilesPerTextureLabel = pane->getChild("TptLabel");
    updateMapDetails();
}

void MapperState::connectToStatusbar()
{
    statusbar.setStatusbar(guiRoot()->getChild(StatusbarPath));
    // Load and save messages name their files.
    showTextsVerbatim(statusbar.getStatusBar());
}

void MapperState::updateMapDetails()
{
    if (!nameLabel)
        return;
    const CEGUI::String name = utf8ToCeguiString(fileName.empty() ? translate("mapper.untitled") : fileName);
    const CEGUI::String mark = tools.isDirty() ? "*" : "";
    // A long name is shortened, never the mark of unsaved changes.
    const CEGUI::Font* font = nameLabel->getFont();
    nameLabel->setText(font ? fitWithTail(name, mark, *font, nameLabel->getPixelSize().d_width) : name + mark);
    const math::Vector2<unsigned int>& size = map.getSize();
    sizeLabel->setText(utf8ToCeguiString(tools::t2str(size.x) + " x " + tools::t2str(size.y)));
    std::ostringstream tileSize;
    tileSize << static_cast<double>(map.getTileSize());
    // Caption first, number last: the caption's grammar then holds for any number.
    tileSizeLabel->setText(utf8ToCeguiString(translate("mapper.ts") + ": " + tileSize.str()));
    tilesPerTextureLabel->setText(
        utf8ToCeguiString(translate("mapper.tpt") + ": " + tools::t2str(map.getTilesPerTexture())));
}

std::string MapperState::convertFilePath(const std::string& name) const
{
    return (mapFolder / name).string();
}

std::string MapperState::getStatusText() const
{
    return ceguiStringToUtf8(statusbar.getLeftText());
}

void MapperState::showStatus(const std::string& code, const std::string& file)
{
    const std::string text = translate(code);
    tools::log(Tag, text + ": \"" + file + "\"");
    statusbar.setLeftText(utf8ToCeguiString(text + ": " + file));
}

void MapperState::clearStatus()
{
    statusbar.setLeftText("");
}

bool MapperState::onMenuNew(const CEGUI::EventArgs&)
{
    openNewMap();
    return true;
}

bool MapperState::onMenuLoad(const CEGUI::EventArgs&)
{
    openLoad();
    return true;
}

bool MapperState::onMenuSave(const CEGUI::EventArgs&)
{
    if (fileName.empty())
        openSave();
    else
        saveMap(fileName);
    return true;
}

bool MapperState::onMenuSaveAs(const CEGUI::EventArgs&)
{
    openSave();
    return true;
}

bool MapperState::onMenuExit(const CEGUI::EventArgs&)
{
    app::State::stop();
    return true;
}

bool MapperState::onProperties(const CEGUI::EventArgs&)
{
    openProperties();
    return true;
}

} // namespace dunnix
