-- The ship editor's windows: the view with its three tabbed canvases
-- (builder, texture, test drive), the tool rows under it, the ship menu and
-- the inventories at the right, the status bar, and the file and help
-- windows. The screen runs this script at every start, so it first destroys
-- the windows of an earlier run and loads a scheme or imageset only when it is
-- not defined yet. Texts that begin with "@" are translation codes; the screen
-- translates them after the script.
local system = CEGUI.System:getSingleton()
local context = system:getDefaultGUIContext()
local windows = CEGUI.WindowManager:getSingleton()
local images = CEGUI.ImageManager:getSingleton()

loadSchemeOnce("GWEN")
loadSchemeOnce("Editor")
-- The screen destroys its icon and help collections when it ends.
for _, set in ipairs({ { "EditorIcons", "Builder0" }, { "EditorHelp", "MouseLeft" }, { "InventoryIcons", "Button_BG" } }) do
    if not images:isDefined(set[1] .. "/" .. set[2]) then
        images:loadImageset(set[1] .. ".imageset")
    end
end

local root = prepareRoot({ "Center", "Statusbar", "File", "Help" })

local function udim(scale, offset)
    return CEGUI.UDim(scale, offset)
end

local function area(window, xs, xo, ys, yo, ws, wo, hs, ho)
    window:setPosition(CEGUI.UVector2(udim(xs, xo), udim(ys, yo)))
    window:setSize(CEGUI.USize(udim(ws, wo), udim(hs, ho)))
end

local function place(window, x, y, w, h)
    area(window, 0, x, 0, y, 0, w, 0, h)
end

local function group(name, parent)
    local window = create("DefaultWindow", name, parent)
    window:setMousePassThroughEnabled(true)
    return window
end

local function button(name, parent, text, x, y, w, h)
    local window = create("GWEN/Button", name, parent, text)
    place(window, x, y, w, h)
    return window
end

local function label(name, parent, text, x, y, w, h)
    local window = create("GWEN/Label", name, parent, text)
    place(window, x, y, w, h)
    return window
end

local function staticImage(name, parent, image, x, y, w, h)
    local window = create("GWEN/StaticImage", name, parent)
    place(window, x, y, w, h)
    window:setProperty("Image", image)
    window:setProperty("FrameEnabled", "false")
    window:setProperty("BackgroundEnabled", "false")
    window:setMousePassThroughEnabled(true)
    return window
end

-- A tab control whose buttons show an animated icon. `tabs` lists
-- {window name, text, icon animation name}.
local function iconTabs(name, parent, tabs, padding)
    local control = create("GWEN/TabControl", name, parent)
    area(control, 0, 0, 0, 0, 1, 0, 1, 0)
    control:setProperty("TabButtonType", "GWEN/IconTabButton")
    control:setProperty("TabHeight", "{0, 32}")
    control:setProperty("TabTextPadding", "{0, " .. padding .. "}")
    local pages = {}
    for i, tab in ipairs(tabs) do
        local page = windows:createWindow("DefaultWindow", tab[1])
        page:setText(tab[2])
        area(page, 0, 0, 0, 0, 1, 0, 1, 0)
        control:addChild(page)
        pages[i] = page
    end
    local buttons = control:getChild("__auto_TabPane__Buttons")
    for i, tab in ipairs(tabs) do
        local tabButton = buttons:getChildAtIdx(i - 1)
        tabButton:setProperty("Icon", "EditorIcons/" .. tab[3] .. "0")
        tabButton:setProperty("Animation", "Editor/" .. tab[3])
    end
    return control, pages
end

local bottomHeight = 210
local menuHeight = 246
local rightWidth = 250
local statusHeight = 24

local center = group("Center", root)
area(center, 0, 0, 0, 0, 1, 0, 1, 0)

------------------------------------------------------------------------------
-- Ship menu: top of the right column.
local stats = group("Stats", center)
area(stats, 1, -rightWidth, 0, 0, 0, rightWidth, 0, menuHeight)
local shipMenu = create("GWEN/GroupBox", "ShipMenu", stats, "@editor.menu.title")
area(shipMenu, 0, 4, 0, 4, 1, -8, 1, -8)
local menuButtons = {
    { "New", "@editor.menu.new" },
    { "Load", "@general.load" },
    { "Save", "@general.save" },
    { "SaveAs", "@editor.menu.saveas" },
    { "Exit", "@editor.menu.exit" },
}
for i, entry in ipairs(menuButtons) do
    button(entry[1], shipMenu, entry[2], 12, 16 + (i - 1) * 38, rightWidth - 32, 32)
end

------------------------------------------------------------------------------
-- Inventories: parts for the builder, hull textures for the texture pane.
local inventory = group("Inventory", center)
area(inventory, 1, -rightWidth, 0, menuHeight, 0, rightWidth, 1, -menuHeight - statusHeight)

local partsTabs, partPages = iconTabs("PartsTabs", inventory, {
    { "Drills", "", "Drills" },
    { "Jets", "", "Jets" },
    { "Tracks", "", "Tracks" },
    { "Others", "", "Others" },
}, 16)
for _, page in ipairs(partPages) do
    local scroll = create("GWEN/ScrollablePane", "Scroll", page)
    area(scroll, 0, 2, 0, 4, 1, -4, 1, -8)
end

local outfitTabs, outfitPages = iconTabs("OutfitTabs", inventory, {
    { "Textures", "@editor.tab.textures", "Textures" },
}, 20)
local textureScroll = create("GWEN/ScrollablePane", "Scroll", outfitPages[1])
area(textureScroll, 0, 2, 0, 4, 1, -4, 1, -8)
outfitTabs:setVisible(false)

------------------------------------------------------------------------------
-- Tools under the view.
local tools = group("Tools", center)
area(tools, 0, 0, 1, -bottomHeight - statusHeight, 1, -rightWidth, 0, bottomHeight)
local toolButtons = group("Buttons", tools)
area(toolButtons, 0, 6, 0, 4, 1, -60, 0, 72)
local upper = group("Upper", toolButtons)
area(upper, 0, 0, 0, 0, 1, 0, 0, 32)
local undo = button("UndoButton", upper, "@editor.undo", 0, 0, 80, 30)
undo:setEnabled(false)
local redo = button("RedoButton", upper, "@editor.redo", 0, 0, 80, 30)
redo:setEnabled(false)
local snap = create("GWEN/Checkbox", "SnapToGridCheck", upper, "@editor.snap")
place(snap, 0, 3, 150, 24)
snap:setProperty("Selected", "true")
staticImage("SnapToGridIcon", upper, "EditorIcons/SnapToGrid", 0, 3, 24, 24)

local lower = group("Lower", toolButtons)
area(lower, 0, 0, 0, 36, 1, 0, 0, 32)
local lowerBuilder = group("Builder", lower)
area(lowerBuilder, 0, 0, 0, 0, 1, 0, 1, 0)
button("SplitButton", lowerBuilder, "@editor.split", 0, 0, 120, 30)
local lowerTexturer = group("Texturer", lower)
area(lowerTexturer, 0, 0, 0, 0, 1, 0, 1, 0)
button("ZoomFillButton", lowerTexturer, "@editor.zoomfill", 0, 0, 172, 30)
button("Zoom1Button", lowerTexturer, "@editor.zoom1", 0, 0, 140, 30)

local help = create("GWEN/ImageButton", "HelpButton", tools)
area(help, 1, -44, 0, 4, 0, 36, 0, 36)
help:setProperty("Image", "EditorIcons/Help")

-- Properties of the selected part.
local properties = create("GWEN/GroupBox", "PartProperties", tools, "@editor.properties")
area(properties, 0, 6, 0, 78, 0, 460, 1, -82)
local mirroring = group("Mirroring", properties)
place(mirroring, 8, 8, 200, 28)
local mirrorCheck = create("GWEN/Checkbox", "Check", mirroring, "@editor.mirror")
place(mirrorCheck, 0, 0, 200, 26)
local drillhead = group("Drillhead", properties)
area(drillhead, 0, 216, 0, 4, 1, -224, 1, -8)
label("Label", drillhead, "@editor.drillhead", 0, 0, 220, 20)
local drillList = create("GWEN/Listbox", "List", drillhead)
area(drillList, 0, 0, 0, 22, 1, 0, 1, -22)

-- Hull colour: a slider and a spinner per channel.
local shipColor = create("GWEN/GroupBox", "ShipColor", tools, "@editor.color")
area(shipColor, 0, 6, 0, 78, 0, 460, 1, -82)
local colorPane = group("__auto_contentpane__", shipColor)
area(colorPane, 0, 8, 0, 4, 1, -16, 1, -8)
local channels = { { "Red", "@editor.color.red" }, { "Green", "@editor.color.green" }, { "Blue", "@editor.color.blue" } }
for i, channel in ipairs(channels) do
    local row = group(channel[1], colorPane)
    place(row, 0, (i - 1) * 29, 440, 28)
    label("Label", row, channel[2], 0, 2, 80, 24)
    local slider = create("GWEN/Slider", "Slider", row)
    place(slider, 86, 6, 250, 16)
    slider:setProperty("MaximumValue", "1")
    slider:setProperty("ClickStepSize", "0.05")
    local spinner = create("GWEN/Spinner", "Spinner", row)
    place(spinner, 346, 0, 86, 26)
    spinner:setProperty("MinimumValue", "0")
    spinner:setProperty("MaximumValue", "255")
    spinner:setProperty("StepSize", "1")
    spinner:setProperty("TextInputMode", "Integer")
end

------------------------------------------------------------------------------
-- The view: its tabs carry the three canvases. It grows over the tools and
-- the right column on the test drive tab (its maximum size) and shrinks back
-- otherwise (its minimum size); added last, so it lies above them then.
local view = group("View", center)
area(view, 0, 0, 0, 0, 1, -rightWidth, 1, -bottomHeight - statusHeight)
view:setProperty("MinSize", "{{1, " .. -rightWidth .. "}, {1, " .. (-bottomHeight - statusHeight) .. "}}")
view:setProperty("MaxSize", "{{1, 0}, {1, " .. -statusHeight .. "}}")
local viewTabs, viewPages = iconTabs("Tabs", view, {
    { "BuilderPane", "@editor.tab.builder", "Builder" },
    { "TexturePane", "@editor.tab.texture", "Texturer" },
    { "TestPane", "@editor.tab.test", "Tester" },
}, 22)
local canvasNames = { "GridCanvas", "TexCanvas", "Canvas" }
for i, page in ipairs(viewPages) do
    local canvas = create("CanvasWidget", canvasNames[i], page)
    area(canvas, 0, 2, 0, 2, 1, -4, 1, -4)
end
local craft = staticImage("CraftButton", view, "EditorIcons/Tester0", 0, 0, 32, 32)
area(craft, 1, -40, 0, 0, 0, 32, 0, 32)

------------------------------------------------------------------------------
local statusbar = create("GWEN/StatusBar", "Statusbar", root)
area(statusbar, 0, 0, 1, -statusHeight, 1, 0, 0, statusHeight)
statusbar:setMousePassThroughEnabled(true)

------------------------------------------------------------------------------
-- File window: ship files of data/ships (alphabetical), the name, Ok, Cancel and Delete.
local file = create("GWEN/FrameWindow", "File", root)
area(file, 0.5, -220, 0.5, -200, 0, 440, 0, 400)
file:setProperty("SizingEnabled", "false")
file:setProperty("CloseButtonEnabled", "false")
local fileList = create("GWEN/Listbox", "List", file)
place(fileList, 10, 10, 410, 250)
fileList:setProperty("Sort", "true")
local fileEdit = create("GWEN/Editbox", "Edit", file)
place(fileEdit, 10, 270, 410, 30)
local fileButtons = group("Buttons", file)
place(fileButtons, 10, 310, 410, 36)
button("OkButton", fileButtons, "@general.save", 0, 0, 130, 32)
button("CancelButton", fileButtons, "@editor.file.cancel", 140, 0, 130, 32)
button("DeleteButton", fileButtons, "@editor.file.delete", 280, 0, 130, 32)
file:setVisible(false)

------------------------------------------------------------------------------
-- Help window: what the mouse and the keys do on each tab.
local helpWindow = create("GWEN/FrameWindow", "Help", root, "@editor.help.title")
area(helpWindow, 0.5, -330, 0.5, -270, 0, 660, 0, 540)
helpWindow:setProperty("SizingEnabled", "false")
helpWindow:setProperty("CloseButtonEnabled", "false")
local helpRows = {
    { "EditorHelp/MouseLeft", "@editor.help.left", 64 },
    { "EditorHelp/MouseRight", "@editor.help.right", 64 },
    { "EditorHelp/MouseMiddle", "@editor.help.middle", 64 },
    { "EditorHelp/MouseWheel", "@editor.help.wheel", 64 },
    { "EditorHelp/KeyShift", "@editor.help.modifiers", 48 },
    { "EditorHelp/KeyR", "@editor.help.test", 48 },
}
local y = 8
for i, row in ipairs(helpRows) do
    local size = row[3]
    staticImage("Picture" .. i, helpWindow, row[1], 10, y, size, size == 64 and 64 or 32)
    local text = create("GWEN/StaticText", "Text" .. i, helpWindow, row[2])
    place(text, 84, y, 556, size == 64 and 64 or 40)
    text:setProperty("FrameEnabled", "false")
    text:setProperty("BackgroundEnabled", "false")
    text:setProperty("HorzFormatting", "WordWrapLeftAligned")
    y = y + (size == 64 and 70 or 46)
end
button("CloseButton", helpWindow, "@general.close", 260, y + 8, 120, 32)
helpWindow:setVisible(false)
