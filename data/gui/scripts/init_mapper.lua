-- The map editor's windows: a tool column on the left (menu, map details with
-- the properties button, the tile palette with the brush size), the map
-- canvas "EditorArea" beside it, a status bar, and the new-map, load, save and
-- properties dialogs. The screen runs this at every start, so it first
-- destroys the windows of an earlier run. Texts that begin with "@" are
-- translation codes; the screen translates them after the script. Whatever
-- spans the screen is sized relative to it, so the layout follows the window
-- when its size changes (Alt+Return, a new resolution).
local system = CEGUI.System:getSingleton()
local context = system:getDefaultGUIContext()
local windows = CEGUI.WindowManager:getSingleton()

loadSchemeOnce("GWEN")

-- Windows of an earlier run go first.
local root = prepareRoot({ "Toolbar", "EditorArea", "Statusbar", "NewMap", "Load", "Save", "Properties" })

local toolWidth = 232

-- A window at an area of its parent, each side given as a fraction of the
-- parent's side plus pixels.
local function area(window, xs, x, ys, y, ws, w, hs, h)
    window:setPosition(CEGUI.UVector2(CEGUI.UDim(xs, x), CEGUI.UDim(ys, y)))
    window:setSize(CEGUI.USize(CEGUI.UDim(ws, w), CEGUI.UDim(hs, h)))
end

local function label(name, parent, text, x, y, w, h)
    local window = create("GWEN/Label", name, parent, text)
    place(window, x, y, w, h)
    window:setProperty("HorzFormatting", "LeftAligned")
    return window
end

-- A pane of the tool column: a titled group box whose content window is
-- named "__auto_contentpane__", as the screen looks its children up. The
-- box's look places children inside its frame (6 px in, 28 px down). Its
-- height is a fraction of the column's plus pixels.
local function pane(name, parent, title, y, hs, h)
    local box = create("GWEN/GroupBox", name, parent, title)
    area(box, 0, 0, 0, y, 0, toolWidth, hs, h)
    local content = create("DefaultWindow", "__auto_contentpane__", box)
    content:setSize(CEGUI.USize(CEGUI.UDim(1, 0), CEGUI.UDim(1, 0)))
    content:setMousePassThroughEnabled(true)
    return content
end

local function spinner(name, parent, x, y, w, minimum, maximum, step, value, mode)
    local window = create("GWEN/Spinner", name, parent)
    place(window, x, y, w, 28)
    window:setProperty("MinimumValue", tostring(minimum))
    window:setProperty("MaximumValue", tostring(maximum))
    window:setProperty("StepSize", tostring(step))
    window:setProperty("TextInputMode", mode)
    window:setProperty("CurrentValue", tostring(value))
    return window
end

------------------------------------------------------------------------------
-- Tool column.
local statusHeight = 26
local toolbar = group("Toolbar", root, 0, 0, toolWidth, 0)
area(toolbar, 0, 0, 0, 0, 0, toolWidth, 1, -statusHeight)

local menu = pane("Menu", toolbar, "@mapper.map", 4, 0, 146)
local half = (toolWidth - 24) / 2 - 2
button("NewButton", menu, "@mapper.new", 0, 0, half, 32)
button("LoadButton", menu, "@mapper.load", half + 4, 0, half, 32)
-- "Save as" is the longer text in every language: it gets the wider half.
local saveWidth = 72
button("SaveButton", menu, "@mapper.save", 0, 38, saveWidth, 32)
button("SaveAsButton", menu, "@mapper.saveas", saveWidth + 4, 38, toolWidth - 28 - saveWidth, 32)
button("ExitButton", menu, "@mapper.exit", 0, 76, toolWidth - 24, 32)

local details = pane("Properties", toolbar, "@mapper.properties", 154, 0, 170)
label("NameLabel", details, "", 0, 0, toolWidth - 24, 24)
label("SizeLabel", details, "", 0, 26, toolWidth - 24, 24)
label("TsLabel", details, "", 0, 52, toolWidth - 24, 24)
label("TptLabel", details, "", 0, 78, toolWidth - 24, 24)
button("Button", details, "@mapper.properties.edit", 0, 108, toolWidth - 24, 30)

local tilesTop = 328
local tiles = pane("Tiles", toolbar, "@mapper.tiles", tilesTop, 1, -tilesTop - 4)
local brush = group("Brush", tiles, 0, 0, toolWidth - 24, 30)
brush:setMousePassThroughEnabled(false)
label("Label", brush, "@mapper.brush", 0, 0, 100, 28)
spinner("Spinner", brush, 104, 0, toolWidth - 130, 1, 20, 1, 1, "Integer")
-- The palette draws its own scrolling column; it fits inside the pane, so the
-- pane itself never scrolls.
local selector = create("CanvasWidget", "Selector", tiles)
area(selector, 0, 0, 0, 36, 0, toolWidth - 26, 1, -36)


------------------------------------------------------------------------------
-- The map canvas.
local canvas = create("CanvasWidget", "EditorArea", root)
area(canvas, 0, toolWidth + 4, 0, 0, 1, -toolWidth - 4, 1, -statusHeight)

local status = create("GWEN/StatusBar", "Statusbar", root)
area(status, 0, 0, 1, -statusHeight, 1, 0, 0, statusHeight)

------------------------------------------------------------------------------
-- Dialogs, hidden until the screen opens one.
local function frame(name, title, w, h)
    local window = create("GWEN/FrameWindow", name, root, title)
    centre(window, w, h)
    window:setProperty("SizingEnabled", "false")
    window:setProperty("DragMovingEnabled", "false")
    window:setProperty("CloseButtonEnabled", "false")
    window:setVisible(false)
    return window
end

-- The four map values, as both the new-map and the properties dialog show them.
-- The ranges are those the map reader accepts (game/mapper/MapperInput.hpp), so Ok
-- on a loaded map's properties keeps it as it is; a size of 0 is an empty map.
local function mapValues(dialog)
    local size = group("Size", dialog, 16, 12, 360, 64)
    size:setMousePassThroughEnabled(false)
    label("Label", size, "@mapper.size", 0, 0, 150, 28)
    label("XLabel", size, "@mapper.width", 150, 0, 100, 28)
    spinner("XSpinner", size, 250, 0, 100, 0, 4096, 1, 64, "Integer")
    label("YLabel", size, "@mapper.height", 150, 34, 100, 28)
    spinner("YSpinner", size, 250, 34, 100, 0, 4096, 1, 48, "Integer")
    local ts = group("TS", dialog, 16, 86, 360, 30)
    ts:setMousePassThroughEnabled(false)
    label("Label", ts, "@mapper.tilesize", 0, 0, 240, 28)
    spinner("Spinner", ts, 250, 0, 100, 0.1, 100, 0.1, 1, "FloatingPoint")
    local tpt = group("TPT", dialog, 16, 124, 360, 30)
    tpt:setMousePassThroughEnabled(false)
    label("Label", tpt, "@mapper.tilespertexture", 0, 0, 240, 28)
    spinner("Spinner", tpt, 250, 0, 100, 1, 4096, 1, 8, "Integer")
end

local newMap = frame("NewMap", "@mapper.newmap.title", 400, 250)
mapValues(newMap)
local newButtons = group("Buttons", newMap, 16, 168, 360, 34)
button("CreateButton", newButtons, "@mapper.create", 80, 0, 130, 32)
button("CancelButton", newButtons, "@mapper.cancel", 220, 0, 130, 32)

local properties = frame("Properties", "@mapper.properties.title", 400, 250)
mapValues(properties)
local propertyButtons = group("Buttons", properties, 16, 168, 360, 34)
button("OkButton", propertyButtons, "@mapper.ok", 80, 0, 130, 32)
button("CancelButton", propertyButtons, "@mapper.cancel", 220, 0, 130, 32)

local function fileList(dialog)
    local list = create("GWEN/Listbox", "FileList", dialog)
    place(list, 16, 12, 368, 250)
    list:setProperty("Sort", "true")
    list:setProperty("MultiSelect", "false")
    return list
end

local load = frame("Load", "@mapper.load.title", 400, 360)
fileList(load)
local loadButtons = group("Buttons", load, 16, 276, 368, 34)
button("LoadButton", loadButtons, "@mapper.load", 98, 0, 130, 32)
button("CancelButton", loadButtons, "@mapper.cancel", 238, 0, 130, 32)

local save = frame("Save", "@mapper.save.title", 400, 400)
fileList(save)
label("FileNameLabel", save, "@mapper.filename", 16, 272, 110, 28)
local name = create("GWEN/Editbox", "FileName", save)
place(name, 126, 272, 258, 30)
local saveButtons = group("Buttons", save, 16, 316, 368, 34)
button("SaveButton", saveButtons, "@mapper.save", 98, 0, 130, 32)
button("CancelButton", saveButtons, "@mapper.cancel", 238, 0, 130, 32)
