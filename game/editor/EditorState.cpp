#include "game/editor/EditorState.hpp"

#include "engine/GameFramework.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/cegui/CeguiFlowLayout.hpp"
#include "framework/cegui/CeguiFramework.hpp"
#include "framework/cegui/CeguiTranslation.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/editor/BuilderController.hpp"
#include "game/editor/EditorFlowLayout.hpp"
#include "game/editor/GridPartElement.hpp"
#include "game/editor/TestController.hpp"
#include "game/editor/TextureController.hpp"
#include "game/ship/backend/ShipEntry.hpp"

#include <CEGUI/CEGUI.h>

namespace velk {

const char* const EditorState::ScriptFile = "init_editor.lua";
const char* const EditorState::MusicPath = "data/mus/Editor - Dodazer Evezodi.ogg";
const char* const EditorState::AnimationsFile = "EditorAnimations.anim";

namespace {

CEGUI::Window* rootWindow()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow();
}

const char* const BuilderCanvasPath = "Center/View/Tabs/BuilderPane/GridCanvas";
const char* const TextureCanvasPath = "Center/View/Tabs/TexturePane/TexCanvas";
const char* const TestCanvasPath = "Center/View/Tabs/TestPane/Canvas";
const char* const AnimatedTabs[] = {"Center/View/Tabs", "Center/Inventory/PartsTabs", "Center/Inventory/OutfitTabs"};

CeguiCanvasWidget* canvasAt(const char* path)
{
    return static_cast<CeguiCanvasWidget*>(rootWindow()->getChild(path));
}

} // namespace

EditorState::EditorState()
{
    setBackgroundColor4ub(8, 12, 16, 255);
}

EditorState::~EditorState()
{
    stepper.clear();
    tabAnimations.clear();
    controllers.clear();
    ship.reset();
    connections.clear();
}

EditorController* EditorState::getController(unsigned index) const
{
    return index < controllers.size() ? controllers[index].get() : nullptr;
}

void EditorState::onStateStart()
{
    VelkState::onStateStart();
    ship = std::make_unique<backend::ShipEntry>();
    fileName.clear();
    changeGwenSkin(Editor);
    initGui();
    initBuilder();
    initTexturer();
    initTest();
    for (auto& controller : controllers)
        controller->deactivate();
    if (!controllers.empty())
        controllers.front()->activate();
    GridPartElement::initTextures();
    if (openMusic(MusicPath)) {
        music().setLoop(true);
        music().play();
    } else {
        tools::log("Editor",
                   std::string("Editor music \"") + MusicPath + "\" cannot be opened; the editor stays silent");
    }
}

void EditorState::onStateEnd()
{
    GridPartElement::shutdownTextures();
    CEGUI::AnimationManager& animations = CEGUI::AnimationManager::getSingleton();
    animations.destroyAllAnimationInstances();
    animations.destroyAllAnimations();
    tabAnimations.clear();
    CEGUI::ImageManager& images = CEGUI::ImageManager::getSingleton();
    images.destroyImageCollection("EditorIcons", true);
    images.destroyImageCollection("EditorHelp", true);
    connections.clear();
    controllers.clear(); // in tab order, before the ship they write into
    ship.reset();
    stepper.clear();
    fileWindow = fileEdit = fileButtons = fileOkButton = nullptr;
    fileList = nullptr;
    VelkState::onStateEnd();
}

void EditorState::initGui()
{
    CEGUI::System::getSingleton().executeScriptFile(ScriptFile, "");
    translateCeguiWindow(rootWindow(), true);
    CEGUI::Window* tabs = rootWindow()->getChild("Center/View/Tabs");
    connections.push_back(std::make_unique<CEGUI::Event::ScopedConnection>(tabs->subscribeEvent(
        CEGUI::TabControl::EventSelectionChanged, CEGUI::Event::Subscriber(&EditorState::onMainTabChange, this))));
    const CEGUI::UDim spacing(0, 5);
    addFlowLayout(rootWindow(), "Center/Tools/Buttons/Upper", spacing);
    addFlowLayout(rootWindow(), "Center/Tools/Buttons/Lower/Builder", spacing);
    addFlowLayout(rootWindow(), "Center/Tools/Buttons/Lower/Texturer", spacing);
    connectToShipMenu();
    initTabAnimations();
}

void EditorState::initBuilder()
{
    controllers.push_back(std::make_unique<BuilderController>(canvasAt(BuilderCanvasPath), ship.get()));
}

void EditorState::initTexturer()
{
    controllers.push_back(std::make_unique<TextureController>(canvasAt(TextureCanvasPath), ship.get()));
}

void EditorState::initTest()
{
    controllers.push_back(std::make_unique<TestController>(canvasAt(TestCanvasPath), ship.get()));
}

void EditorState::initTabAnimations()
{
    CEGUI::AnimationManager& animations = CEGUI::AnimationManager::getSingleton();
    animations.loadAnimationsFromXML(AnimationsFile);
    for (const char* path : AnimatedTabs) {
        auto* tabs = static_cast<CEGUI::TabControl*>(rootWindow()->getChild(path));
        CEGUI::Window* buttons = tabs->getChild("__auto_TabPane__Buttons");
        for (std::size_t i = 0; i < tabs->getTabCount() && i < buttons->getChildCount(); ++i) {
            CEGUI::Window* button = buttons->getChildAtIdx(i);
            const CEGUI::String icon = button->getProperty("Icon");
            const CEGUI::String name = button->getProperty("Animation");
            if (name.empty() || !animations.isAnimationPresent(name))
                continue;
            CEGUI::AnimationInstance* instance = animations.instantiateAnimation(name);
            if (!instance)
                continue;
            instance->setTargetWindow(button);
            tabAnimations[button] = {icon, instance};
            if (tabs->getSelectedTabIndex() == i)
                instance->start(true);
        }
        connections.push_back(std::make_unique<CEGUI::Event::ScopedConnection>(
            tabs->subscribeEvent(CEGUI::TabControl::EventSelectionChanged,
                                 CEGUI::Event::Subscriber(&EditorState::onAnimatedTabChange, this))));
    }
}

bool EditorState::onAnimatedTabChange(const CEGUI::EventArgs& args)
{
    auto* tabs = static_cast<CEGUI::TabControl*>(static_cast<const CEGUI::WindowEventArgs&>(args).window);
    CEGUI::Window* buttons = tabs->getChild("__auto_TabPane__Buttons");
    for (std::size_t i = 0; i < tabs->getTabCount() && i < buttons->getChildCount(); ++i) {
        CEGUI::Window* button = buttons->getChildAtIdx(i);
        const auto it = tabAnimations.find(button);
        if (it == tabAnimations.end())
            continue;
        if (tabs->getSelectedTabIndex() == i) {
            it->second.second->start(true);
        } else {
            it->second.second->stop();
            button->setProperty("Icon", it->second.first);
        }
    }
    return true;
}

bool EditorState::onMainTabChange(const CEGUI::EventArgs& args)
{
    auto* tabs = static_cast<CEGUI::TabControl*>(static_cast<const CEGUI::WindowEventArgs&>(args).window);
    const unsigned index = static_cast<unsigned>(tabs->getSelectedTabIndex());
    CEGUI::Window* view = tabs->getParent();
    view->setArea(view->getPosition(), index == 2 ? view->getMaxSize() : view->getMinSize());
    activateTab(index);
    return true;
}

void EditorState::activateTab(unsigned index)
{
    for (auto& controller : controllers)
        controller->deactivate();
    if (index < controllers.size())
        controllers[index]->activate();
}

void EditorState::rebuildControllers()
{
    for (auto& controller : controllers)
        controller->rebuild();
}

void EditorState::update()
{
    VelkState::update();
    const float dt = GameFramework::Singleton.getSfmlFramework()
                         ? GameFramework::Singleton.getSfmlFramework()->getFrameTime()
                         : 0.0f;
    for (auto& controller : controllers)
        if (controller->isActive())
            controller->update(dt);
    // The builder and the texture pane navigate, but not while the file or
    // help window is open (back would press Exit behind it) or a name is typed.
    const bool navigatingPane = (controllers.size() > 0 && controllers[0]->isActive()) ||
                                (controllers.size() > 1 && controllers[1]->isActive());
    stepper.setActive(navigatingPane && GuiStepper::mayNavigate(CEGUI::System::getSingleton().getDefaultGUIContext()));
    stepper.update(dt);
}

} // namespace velk
