-- The main menu's windows: language selector, main menu, credits, high scores
-- and settings. The screen runs this script at every start, on F5 and after a
-- language change, so it first destroys the windows of an earlier run and loads
-- a scheme or imageset only when it is not defined yet. Texts that begin with
-- "@" are translation codes; the screen translates them after the script.
local system = CEGUI.System:getSingleton()
local context = system:getDefaultGUIContext()
local windows = CEGUI.WindowManager:getSingleton()
local images = CEGUI.ImageManager:getSingleton()

loadSchemeOnce("GWEN")
-- The menu art ("MainMenu") is loaded by the screen before this script runs.

-- Windows of an earlier run go first, so a name never stands twice.
local root = prepareRoot({ "LangSelector", "ContentHolder", "Credits", "NewGameWindow", "NoticeWindow", "Highscores",
                           "Settings" })

local function frame(name, title, w, h)
    local window = create("GWEN/FrameWindow", name, root, title)
    centre(window, w, h)
    window:setProperty("SizingEnabled", "false")
    window:setProperty("DragMovingEnabled", "false")
    window:setProperty("CloseButtonEnabled", "false")
    -- An opaque backdrop: the main menu stays visible behind every dialog, and
    -- its bright labels would show through the skin's translucent panel.
    local backdrop = create("GWEN/StaticImage", "Backdrop", window)
    backdrop:setSize(CEGUI.USize(CEGUI.UDim(1, 0), CEGUI.UDim(1, 0)))
    backdrop:setProperty("Image", "GWEN/White")
    backdrop:setProperty("ImageColours", "tl:FF0E151F tr:FF0E151F bl:FF0E151F br:FF0E151F")
    backdrop:setProperty("FrameEnabled", "false")
    backdrop:setProperty("BackgroundEnabled", "false")
    backdrop:setMousePassThroughEnabled(true)
    window:setVisible(false)
    return window
end

local function label(name, parent, text, x, y, w, h)
    local window = create("GWEN/Label", name, parent, text)
    place(window, x, y, w, h)
    return window
end

------------------------------------------------------------------------------
-- Main menu: the logo and a column of large buttons over the content holder
-- picture (440 x 620), which the screen draws centred behind the GUI.
local holder = create("DefaultWindow", "ContentHolder", root)
centre(holder, 440, 620)
holder:setMousePassThroughEnabled(true)
holder:setVisible(false)

local function picture(name, parent, image, x, y, w, h)
    if not images:isDefined(image) then
        return nil
    end
    local window = create("GWEN/StaticImage", name, parent)
    place(window, x, y, w, h)
    window:setProperty("Image", image)
    window:setProperty("FrameEnabled", "false")
    window:setProperty("BackgroundEnabled", "false")
    window:setMousePassThroughEnabled(true)
    return window
end
picture("Logo", holder, "MainMenu/Logo", 20, 14, 400, 100)
picture("Divider", holder, "MainMenu/Divider", 40, 122, 360, 6)

local content = group("Content", holder, 80, 140, 280, 52 * 7)
local menuButtons = {
    { "NewGameButton", "@mainmenu.newgame" },
    { "HighscoresButton", "@mainmenu.highscores" },
    { "EditorButton", "@mainmenu.editor" },
    { "MapperButton", "@mainmenu.mapper" },
    { "OptionsButton", "@mainmenu.options" },
    { "CreditsButton", "@mainmenu.credits" },
    { "ExitButton", "@mainmenu.exit" },
}
for i, entry in ipairs(menuButtons) do
    local menuButton = create("GWEN/MenuButton", entry[1], content, entry[2])
    place(menuButton, 0, (i - 1) * 52, 280, 42)
end
-- Loading a saved game does not exist; the button stays out of sight.
local load = button("LoadButton", content, "@general.load", 0, 0, 280, 42)
load:setVisible(false)

------------------------------------------------------------------------------
-- Language selector: one radio button per language (made by the screen) in
-- "Langs", then Done and Exit.
local selector = frame("LangSelector", "@mainmenu.lang.title", 320, 240)
group("Langs", selector, 30, 20, 254, 100)
local selectorButtons = group("Buttons", selector, 0, 150, 314, 40)
button("DoneButton", selectorButtons, "@general.done", 30, 0, 120, 32)
button("ExitButton", selectorButtons, "@mainmenu.exit", 164, 0, 120, 32)

------------------------------------------------------------------------------
-- Credits.
local credits = frame("Credits", "@mainmenu.credits", 480, 420)
local creditsText = create("GWEN/StaticText", "Text", credits, "@credits.text")
place(creditsText, 16, 16, 442, 300)
creditsText:setProperty("HorzFormatting", "WordWrapCentreAligned")
creditsText:setProperty("VertFormatting", "TopAligned")
creditsText:setProperty("FrameEnabled", "false")
creditsText:setProperty("BackgroundEnabled", "false")
button("CloseButton", credits, "@general.close", 174, 332, 126, 32)

------------------------------------------------------------------------------
-- New game: a ship list and a map list (alphabetical), Start and Cancel.
local newGame = frame("NewGameWindow", "@newgame.title", 600, 440)
local newLists = group("Lists", newGame, 16, 10, 562, 330)
label("ShipsLabel", newLists, "@newgame.ships", 0, 0, 270, 26)
label("MapsLabel", newLists, "@newgame.maps", 292, 0, 270, 26)
for _, entry in ipairs({ { "Ships", 0 }, { "Maps", 292 } }) do
    local list = create("GWEN/Listbox", entry[1], newLists)
    place(list, entry[2], 30, 270, 300)
    list:setProperty("Sort", "true")
    list:setProperty("MultiSelect", "false")
end
local newButtons = group("Buttons", newGame, 0, 352, 594, 40)
button("StartButton", newButtons, "@newgame.start", 150, 0, 140, 34)
button("CancelButton", newButtons, "@newgame.cancel", 304, 0, 140, 34)

------------------------------------------------------------------------------
-- Notice: a message for the player (why a game could not start) and OK.
local notice = frame("NoticeWindow", "@play.notice.title", 520, 260)
local noticeText = create("GWEN/StaticText", "Text", notice, "")
place(noticeText, 16, 12, 482, 150)
noticeText:setProperty("HorzFormatting", "WordWrapCentreAligned")
noticeText:setProperty("VertFormatting", "CentreAligned")
noticeText:setProperty("FrameEnabled", "false")
noticeText:setProperty("BackgroundEnabled", "false")
button("OkButton", notice, "@play.notice.ok", 190, 178, 134, 34)

------------------------------------------------------------------------------
-- High scores: a map filter, the list and two buttons.
local scores = frame("Highscores", "@mainmenu.highscores", 600, 480)
label("FilterLabel", scores, "@highscores.map", 16, 12, 80, 26)
local filter = create("GWEN/Combobox", "Filter", scores)
place(filter, 100, 12, 300, 200)
filter:setProperty("ReadOnly", "true")
local list = create("GWEN/MultiColumnList", "List", scores)
place(list, 16, 50, 562, 330)
list:setProperty("SelectionMode", "RowSingle")
list:setProperty("ColumnsSizable", "false")
list:setProperty("ColumnsMovable", "false")
list:setProperty("SortSettingEnabled", "false")
button("ClearButton", scores, "@highscores.clear", 16, 394, 140, 32)
button("CloseButton", scores, "@general.back", 438, 394, 140, 32)

------------------------------------------------------------------------------
-- Settings: three scrollable tab pages, a back button and a status bar that
-- explains the control under the mouse.
local settings = frame("Settings", "@mainmenu.options", 640, 540)
local tabs = create("GWEN/TabControl", "Tabs", settings)
place(tabs, 10, 10, 614, 418)

local function page(name, title)
    local pane = windows:createWindow("GWEN/ScrollablePane", name)
    pane:setText(title)
    pane:setSize(CEGUI.USize(CEGUI.UDim(1, 0), CEGUI.UDim(1, 0)))
    CEGUI.toTabControl(tabs):addTab(pane)
    return pane
end

-- One row of a page: a label in "Labels" and a control in "Settings", both at
-- the same height.
local function row(labels, controls, index, name, text, kind, width, height)
    label(name, labels, text, 0, index * 44, 220, 30)
    local control = create(kind, name, controls)
    place(control, 0, index * 44, width, height or 30)
    return control
end

local graphics = page("Graphics", "@setting.tab.graphics")
local graphicsLabels = group("Labels", graphics, 20, 16, 220, 310)
local graphicsControls = group("Settings", graphics, 250, 16, 330, 310)
local combos = {}
combos[#combos + 1] = row(graphicsLabels, graphicsControls, 0, "Resolution", "@setting.graphics.resolution", "GWEN/Combobox", 200, 180)
row(graphicsLabels, graphicsControls, 1, "Fullscreen", "@setting.graphics.fullscreen", "GWEN/Checkbox", 30)
combos[#combos + 1] = row(graphicsLabels, graphicsControls, 2, "FPS", "@setting.graphics.fps", "GWEN/Combobox", 200, 110)
combos[#combos + 1] = row(graphicsLabels, graphicsControls, 3, "AntiAliasing", "@setting.graphics.aa", "GWEN/Combobox", 200, 130)
row(graphicsLabels, graphicsControls, 4, "Vsync", "@setting.graphics.vsync", "GWEN/Checkbox", 30)
local fov = row(graphicsLabels, graphicsControls, 5, "FOV", "@setting.graphics.fov", "GWEN/Slider", 200, 20)
fov:setProperty("MaximumValue", "1")
fov:setProperty("ClickStepSize", "0.1")
local fovMessage = create("GWEN/Label", "Message", fov, "")
place(fovMessage, 0, 20, 330, 24)
fovMessage:setProperty("ClippedByParent", "false")
combos[#combos + 1] = row(graphicsLabels, graphicsControls, 6, "Colorblind", "@setting.graphics.colorblind", "GWEN/Combobox", 200, 130)
-- Shown while a colour-blind filter is chosen: a strip of colours to judge it by.
local preview = group("Colorblind", graphics, 250, 330, 256, 40)
if picture("Strip", preview, "MainMenu/ColorblindPreview", 0, 0, 256, 40) == nil then
    local swatches = { "FFE03C31", "FFF29B2C", "FFF4E04D", "FF4CB944", "FF2E86DE", "FF9B59B6" }
    for i, colour in ipairs(swatches) do
        local swatch = create("GWEN/StaticImage", "Swatch" .. i, preview)
        place(swatch, (i - 1) * 42, 0, 40, 40)
        swatch:setProperty("Image", "GWEN/White")
        swatch:setProperty("ImageColours", "tl:" .. colour .. " tr:" .. colour .. " bl:" .. colour .. " br:" .. colour)
        swatch:setProperty("FrameEnabled", "false")
        swatch:setProperty("BackgroundEnabled", "false")
    end
end
preview:setVisible(false)

local audio = page("Audio", "@setting.tab.audio")
local audioLabels = group("Labels", audio, 20, 16, 220, 200)
local audioControls = group("Settings", audio, 250, 16, 330, 200)
for i, entry in ipairs({ { "Main", "@setting.audio.main" }, { "Music", "@setting.audio.music" },
                         { "Sound", "@setting.audio.sound" } }) do
    local slider = row(audioLabels, audioControls, i - 1, entry[1], entry[2], "GWEN/Slider", 240, 20)
    slider:setYPosition(CEGUI.UDim(0, (i - 1) * 44 + 5))
    slider:setProperty("MaximumValue", "1")
    slider:setProperty("ClickStepSize", "0.05")
end

local others = page("Others", "@setting.tab.others")
local otherLabels = group("Labels", others, 20, 16, 220, 200)
local otherControls = group("Settings", others, 250, 16, 330, 200)
combos[#combos + 1] = row(otherLabels, otherControls, 0, "Language", "@setting.others.language", "GWEN/Combobox", 200, 110)

for _, combo in ipairs(combos) do
    combo:setProperty("ReadOnly", "true")
end

local settingsButtons = group("Buttons", settings, 0, 436, 634, 36)
button("BackButton", settingsButtons, "@general.back", 494, 0, 120, 32)
local status = create("GWEN/StatusBar", "Status", settings)
status:setPosition(CEGUI.UVector2(CEGUI.UDim(0, 0), CEGUI.UDim(1, -24)))
