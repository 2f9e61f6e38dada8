// The builder's parts side: the inventory, placing, selecting, deleting and
// turning parts, the part properties, the help window and the status bar.
#include "game/editor/BuilderController.hpp"

#include "engine/GameFramework.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/cegui/CeguiFramework.hpp"
#include "framework/cegui/CeguiGridLayout.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "game/editor/EditorText.hpp"
#include "game/editor/GridPartElement.hpp"
#include "game/shell/ListItem.hpp"
#include "game/ship/backend/PartEntry.hpp"
#include "game/ship/backend/ShipPart.hpp"
#include "game/ship/backend/ShipPartStore.hpp"

#include <CEGUI/CEGUI.h>

#include <algorithm>

namespace velk {

namespace {

CEGUI::Window* guiRoot()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow();
}

/// The image's name in the inventory collection, or the button background
/// when the collection lacks it.
CEGUI::String inventoryImage(const std::string& image)
{
    const CEGUI::String name = "InventoryIcons/" + utf8ToCeguiString(image);
    if (CEGUI::ImageManager::getSingleton().isDefined(name))
        return name;
    tools::log("BC", "Inventory icon missing, the button background stands in: " + image);
    return "InventoryIcons/Button_BG";
}

} // namespace

void BuilderController::connectToInventory()
{
    inventory = static_cast<CEGUI::TabControl*>(guiRoot()->getChild("Center/Inventory/PartsTabs"));
    connections.addConnection(
        inventory->subscribeEvent(CEGUI::TabControl::EventSelectionChanged,
                                  CEGUI::Event::Subscriber(&BuilderController::onInventoryTabChange, this)));
    if (inventory->getTabCount() > 0)
        inventory->setSelectedTabAtIndex(0);
    createPartButtons();
}

void BuilderController::createPartButtons()
{
    categories = {{"drill"}, {"jet"}, {"track"}, {"antenna", "lamp", "cockpit"}};
    for (std::size_t i = 0; i < categories.size() && i < inventory->getTabCount(); ++i)
        createPartButtonsOnPaneForCategories(inventory->getTabContentsAtIndex(i), categories[i]);
}

void BuilderController::createPartButtonsOnPaneForCategories(CEGUI::Window* pane, const std::vector<std::string>& list)
{
    CEGUI::Window* scroll = pane->getChild("Scroll");
    CEGUI::Window* container = scroll->getChild("__auto_container__");
    CeguiGridLayout* layout = GameFramework::Singleton.getCeguiFramework()->crateGridLayout(container,
                                                                                            CeguiGridLayout::Cells);
    layout->setItemsPerLine(2);
    layout->setDirection(CeguiGridLayout::Rows);
    layout->setSpacing(CEGUI::UVector2(CEGUI::UDim(0, 33.33f), CEGUI::UDim(0, 33.33f)));
    layout->setMargin(
        CEGUI::UBox(CEGUI::UDim(0, 13.33f), CEGUI::UDim(0, 13.33f), CEGUI::UDim(0, 0), CEGUI::UDim(0, 33.33f)));
    layout->setAspectRatio(1.0f);
    CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
    for (const std::string& category : list) {
        for (backend::ShipPart* part : backend::ShipPartStore::Singleton.getPartsInCategory(category)) {
            CEGUI::Window* background = windows.createWindow("GWEN/StaticImage", "");
            background->setProperty("Image", "InventoryIcons/Button_BG");
            background->setProperty("FrameEnabled", "false");
            background->setProperty("BackgroundEnabled", "false");
            background->setMouseInputPropagationEnabled(true);

            auto* drag = static_cast<CEGUI::DragContainer*>(windows.createWindow("DragContainer", ""));
            drag->setSize(CEGUI::USize(CEGUI::UDim(1, 0), CEGUI::UDim(1, 0)));
            drag->setDragAlpha(1.0f);
            drag->setUserData(part);
            drag->setMouseInputPropagationEnabled(true);
            // Kept, so that no event reaches this pane once it is gone.
            connections.addConnection(
                drag->subscribeEvent(CEGUI::Window::EventMouseEntersArea,
                                     CEGUI::Event::Subscriber(&BuilderController::onInventoryPartMouseEnters, this)));
            connections.addConnection(
                drag->subscribeEvent(CEGUI::Window::EventMouseLeavesArea,
                                     CEGUI::Event::Subscriber(&BuilderController::onInventoryPartMouseLeaves, this)));

            CEGUI::Window* icon = windows.createWindow("GWEN/StaticImage", "");
            icon->setSize(CEGUI::USize(CEGUI::UDim(1, 0), CEGUI::UDim(1, 0)));
            icon->setProperty("Image", inventoryImage(part->getImage()));
            icon->setProperty("FrameEnabled", "false");
            icon->setProperty("BackgroundEnabled", "false");
            icon->setMousePassThroughEnabled(true);

            drag->addChild(icon);
            background->addChild(drag);
            scroll->addChild(background);
        }
    }
    layout->forceUpdate();
}

bool BuilderController::onInventoryTabChange(const CEGUI::EventArgs&)
{
    activatePartsByTabIdx(static_cast<unsigned>(inventory->getSelectedTabIndex()));
    return true;
}

void BuilderController::activatePartsByTabIdx(unsigned index)
{
    for (GridElement* element : elementSet.getResources()) {
        if (auto* part = dynamic_cast<GridPartElement*>(element)) {
            part->deactivate();
            part->deselect();
        }
    }
    selectPart(nullptr);
    if (index < categories.size())
        for (const std::string& category : categories[index])
            activatePartsByCategory(category);
}

void BuilderController::activatePartsByCategory(const std::string& category)
{
    for (GridElement* element : elementSet.getResources()) {
        auto* part = dynamic_cast<GridPartElement*>(element);
        if (part && part->getShipPart() && part->getShipPart()->getCategory() == category)
            part->activate();
    }
}

bool BuilderController::onInventoryPartMouseEnters(const CEGUI::EventArgs& args)
{
    CEGUI::Window* drag = static_cast<const CEGUI::WindowEventArgs&>(args).window;
    if (auto* part = static_cast<backend::ShipPart*>(drag->getUserData()))
        statusbarHandler.setLeftText(utf8ToCeguiString(editorText(part->getCode())));
    return true;
}

bool BuilderController::onInventoryPartMouseLeaves(const CEGUI::EventArgs&)
{
    statusbarHandler.setLeftText("");
    return true;
}

bool BuilderController::onGridDragDropped(const CEGUI::EventArgs& args)
{
    const auto& dropArgs = static_cast<const CEGUI::DragDropEventArgs&>(args);
    auto* part = dropArgs.dragDropItem ? static_cast<backend::ShipPart*>(dropArgs.dragDropItem->getUserData())
                                       : nullptr;
    if (!part)
        return true;
    const CEGUI::Vector2f cursor = CEGUI::System::getSingleton().getDefaultGUIContext().getMouseCursor().getPosition();
    createPartAt(part, window2grid(cursor));
    return true;
}

GridPartElement* BuilderController::createPartAt(backend::ShipPart* part, const math::Vector2<float>& position)
{
    auto* element = new GridPartElement(gridValues, getShipEntry(), part, position);
    elementSet.add(element);
    setupPart(element);
    return element;
}

void BuilderController::selectPart(GridPartElement* part)
{
    for (GridElement* element : elementSet.getResources())
        if (dynamic_cast<GridPartElement*>(element))
            element->deselect();
    if (part)
        part->select();
    propertyWidgets.setPart(part);
}

void BuilderController::destroyPart(GridPartElement* part)
{
    if (part->isSelected() || propertyWidgets.getPart() == part)
        selectPart(nullptr);
    elementSet.destroy(part);
}

void BuilderController::rotatePart(GridPartElement* part, float delta)
{
    part->rotate(delta);
}

// --- Part properties -------------------------------------------------------------

void BuilderController::connectToPartProperties()
{
    propertyWidgets.connectTo(guiRoot()->getChild("Center/Tools/PartProperties"));
}

void BuilderController::PartPropertyWidgets::connectTo(CEGUI::Window* window)
{
    root = window;
    mirrorCheck = static_cast<CEGUI::ToggleButton*>(root->getChild("Mirroring/Check"));
    owner->connections.addConnection(
        mirrorCheck->subscribeEvent(CEGUI::ToggleButton::EventSelectStateChanged,
                                    CEGUI::Event::Subscriber(&PartPropertyWidgets::onMirroredCheckboxChanged, this)));
    drillheadList = static_cast<CEGUI::Listbox*>(root->getChild("Drillhead/List"));
    owner->connections.addConnection(drillheadList->subscribeEvent(
        CEGUI::Listbox::EventSelectionChanged,
        CEGUI::Event::Subscriber(&PartPropertyWidgets::onDrillheadSelectionChanged, this)));
    drillheadList->resetList();
    for (backend::ShipPart* head : backend::ShipPartStore::Singleton.getPartsInCategory("drillhead")) {
        CEGUI::ListboxTextItem* item = makeListItem(editorText(head->getCode()));
        item->setTooltipText(utf8ToCeguiString(head->getCode()));
        drillheadList->addItem(item);
    }
    part = nullptr;
    hide();
}

void BuilderController::PartPropertyWidgets::show()
{
    if (root)
        root->setVisible(true);
}

void BuilderController::PartPropertyWidgets::hide()
{
    if (root)
        root->setVisible(false);
}

void BuilderController::PartPropertyWidgets::updateVisibility()
{
    if (root)
        root->setVisible(part != nullptr);
}

void BuilderController::PartPropertyWidgets::setPart(GridPartElement* element)
{
    part = element;
    updateWidgetsFromPart();
    updateVisibility();
}

void BuilderController::PartPropertyWidgets::updateWidgetsFromPart()
{
    if (!part || !mirrorCheck)
        return;
    GridPartElement* shown = part;
    part = nullptr; // the widgets' own change events must not write back
    mirrorCheck->setSelected(shown->isMirroredX());
    const backend::ShipPart* kind = shown->getShipPart();
    const bool drill = kind && kind->getCategory() == "drill";
    // The list's title goes with it.
    drillheadList->getParent()->setVisible(drill);
    if (!drill) {
        drillheadList->setVisible(false);
    } else {
        std::string& head = shown->getPartEntry()->properties()["drillhead"];
        for (std::size_t i = 0; i < drillheadList->getItemCount(); ++i) {
            CEGUI::ListboxItem* item = drillheadList->getListboxItemFromIndex(i);
            const std::string code = ceguiStringToUtf8(item->getTooltipText());
            tools::log("BC", "Part drillhead: " + head + ", item drillhead" + code);
            drillheadList->setItemSelectState(item, code == head);
        }
        drillheadList->setVisible(true);
    }
    part = shown;
}

bool BuilderController::PartPropertyWidgets::onMirroredCheckboxChanged(const CEGUI::EventArgs&)
{
    tools::log("BC", "Mirror change");
    if (!part)
        return false;
    part->mirrorToX(mirrorCheck->isSelected());
    return true;
}

bool BuilderController::PartPropertyWidgets::onDrillheadSelectionChanged(const CEGUI::EventArgs&)
{
    tools::log("BC", "Drillhead change");
    if (!part)
        return false;
    CEGUI::ListboxItem* item = drillheadList->getFirstSelectedItem();
    part->getPartEntry()->properties()["drillhead"] = item ? ceguiStringToUtf8(item->getTooltipText()) : "";
    return true;
}

// --- Help and status bar --------------------------------------------------------------

void BuilderController::connectToHelp()
{
    CEGUI::Window* button = guiRoot()->getChild("Center/Tools/HelpButton");
    connections.addConnection(button->subscribeEvent(CEGUI::PushButton::EventClicked,
                                                     CEGUI::Event::Subscriber(&BuilderController::onHelpButton, this)));
    help = guiRoot()->getChild("Help");
    connections.addConnection(
        help->getChild("CloseButton")
            ->subscribeEvent(CEGUI::PushButton::EventClicked,
                             CEGUI::Event::Subscriber(&BuilderController::onHelpBackButton, this)));
    closeHelp();
}

void BuilderController::openHelp()
{
    help->setVisible(true);
    help->setModalState(true);
}

void BuilderController::closeHelp()
{
    help->setModalState(false);
    help->setVisible(false);
}

bool BuilderController::onHelpButton(const CEGUI::EventArgs&)
{
    openHelp();
    return true;
}

bool BuilderController::onHelpBackButton(const CEGUI::EventArgs&)
{
    closeHelp();
    return true;
}

} // namespace velk
