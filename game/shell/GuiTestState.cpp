#include "game/shell/GuiTestState.hpp"

#include "foundation/tools/StringUtils.hpp"
#include "game/shell/ListItem.hpp"

#include <CEGUI/CEGUI.h>

#include <cmath>

namespace velk {

namespace {

const char* const kScript = "init_guitest.lua";
const int kItemCount = 20;

CEGUI::Window* rootWindow()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow();
}

std::string itemText(int n)
{
    return "Item #" + tools::t2str(n);
}

} // namespace

GuiTestState::GuiTestState() : colors(this)
{
    setBackgroundColor4ub(100, 150, 200, 255);
    actions['D'] = fx::InputAction(sf::Keyboard::F1, fx::InputAction::PressOnce);
    actions['R'] = fx::InputAction(sf::Keyboard::F5, fx::InputAction::PressOnce);
}

GuiTestState::~GuiTestState() = default;

void GuiTestState::onStateStart()
{
    VelkState::onStateStart();
    changeGwenSkin(GuiTest);
    initGui();
}

void GuiTestState::onStateEnd()
{
    VelkState::onStateEnd();
}

void GuiTestState::initGui()
{
    CEGUI::System::getSingleton().executeScriptFile(kScript, "");
    connectToColor();
    fillSimpleList();
    fillMultiList();
    fillCombo();
}

void GuiTestState::update()
{
    VelkState::update();
    if (actions.isActive('D')) {
        CEGUI::Window* root = rootWindow();
        root->setDisabled(!root->isDisabled());
    }
    if (actions.isActive('R'))
        initGui();
}

void GuiTestState::connectToColor()
{
    colors.connectTo(rootWindow()->getChild("Colors"));
}

void GuiTestState::fillSimpleList()
{
    auto* list = static_cast<CEGUI::Listbox*>(rootWindow()->getChild("List"));
    for (int n = 1; n <= kItemCount; ++n)
        list->addItem(makeListItem(itemText(n)));
}

void GuiTestState::fillMultiList()
{
    auto* list = static_cast<CEGUI::MultiColumnList*>(rootWindow()->getChild("MultiList"));
    for (unsigned c = 0; c < 4; ++c)
        list->addColumn("Col #" + CEGUI::PropertyHelper<std::uint32_t>::toString(c + 1), c, CEGUI::UDim(0.25f, 0.0f));
    for (int r = 0; r < kItemCount; ++r)
        list->addRow();
    for (unsigned c = 0; c < 4; ++c) {
        for (int r = 0; r < kItemCount; ++r)
            list->setItem(makeListItem(itemText(101 + r + 100 * static_cast<int>(c))), c, static_cast<unsigned>(r));
    }
}

void GuiTestState::fillCombo()
{
    auto* combo = static_cast<CEGUI::Combobox*>(rootWindow()->getChild("Combo"));
    for (int n = 1; n <= kItemCount; ++n)
        combo->addItem(makeListItem(itemText(n)));
}

bool GuiTestState::onColorSpinnerChanged(const CEGUI::EventArgs&)
{
    const auto byte = [](const CEGUI::Spinner* spinner) {
        return static_cast<sf::Uint8>(std::lround(spinner->getCurrentValue()));
    };
    setBackgroundSfColor(
        sf::Color(byte(colors.red.spinner), byte(colors.green.spinner), byte(colors.blue.spinner), 255));
    return true;
}

void GuiTestState::ColorWidgets::connectTo(CEGUI::Window* window)
{
    red.connectTo(window->getChild("Red"));
    green.connectTo(window->getChild("Green"));
    blue.connectTo(window->getChild("Blue"));
    const sf::Color background = state->getBackgroundSfColor();
    red.spinner->setCurrentValue(background.r);
    green.spinner->setCurrentValue(background.g);
    blue.spinner->setCurrentValue(background.b);
}

void GuiTestState::ColorWidgets::updateSliders()
{
    red.updateSlider();
    green.updateSlider();
    blue.updateSlider();
}

void GuiTestState::ColorWidgets::updateSpinners()
{
    red.updateSpinner();
    green.updateSpinner();
    blue.updateSpinner();
}

void GuiTestState::ColorWidgets::Color::connectTo(CEGUI::Window* row)
{
    label = row->getChild("Label");
    slider = static_cast<CEGUI::Slider*>(row->getChild("Slider"));
    spinner = static_cast<CEGUI::Spinner*>(row->getChild("Spinner"));
    slider->subscribeEvent(CEGUI::Slider::EventValueChanged, CEGUI::Event::Subscriber(&Color::onSliderChanged, this));
    spinner->subscribeEvent(CEGUI::Spinner::EventValueChanged,
                            CEGUI::Event::Subscriber(&Color::onSpinnerChanged, this));
    spinner->subscribeEvent(CEGUI::Spinner::EventValueChanged,
                            CEGUI::Event::Subscriber(&GuiTestState::onColorSpinnerChanged, state));
}

void GuiTestState::ColorWidgets::Color::updateSpinner()
{
    spinner->setCurrentValue(255.0 * slider->getCurrentValue());
}

void GuiTestState::ColorWidgets::Color::updateSlider()
{
    slider->setCurrentValue(static_cast<float>(spinner->getCurrentValue() / 255.0));
}

bool GuiTestState::ColorWidgets::Color::onSliderChanged(const CEGUI::EventArgs&)
{
    updateSpinner();
    return true;
}

bool GuiTestState::ColorWidgets::Color::onSpinnerChanged(const CEGUI::EventArgs&)
{
    updateSlider();
    return true;
}

} // namespace velk
