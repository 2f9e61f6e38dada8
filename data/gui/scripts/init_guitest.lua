-- The GUI test screen: the skin's list, multi-column list and combo box, and
-- three colour rows (slider and spinner each) that drive the background. The
-- screen runs it again on F5, so the windows of an earlier run go first.
local system = CEGUI.System:getSingleton()
local context = system:getDefaultGUIContext()
local windows = CEGUI.WindowManager:getSingleton()

loadSchemeOnce("GWEN")

-- Windows of an earlier run go first, so a name never stands twice.
local root = prepareRoot({ "Colors", "List", "MultiList", "Combo" })

local list = create("GWEN/Listbox", "List", root)
place(list, 20, 20, 220, 300)

local multi = create("GWEN/MultiColumnList", "MultiList", root)
place(multi, 260, 20, 440, 300)

local combo = create("GWEN/Combobox", "Combo", root)
place(combo, 720, 20, 220, 240)
combo:setProperty("ReadOnly", "true")

local colors = create("GWEN/FrameWindow", "Colors", root, "Background")
place(colors, 20, 340, 460, 170)
colors:setProperty("SizingEnabled", "false")
colors:setProperty("CloseButtonEnabled", "false")

for i, name in ipairs({ "Red", "Green", "Blue" }) do
    local row = create("DefaultWindow", name, colors)
    place(row, 10, 10 + (i - 1) * 40, 430, 32)
    local text = create("GWEN/Label", "Label", row, name)
    place(text, 0, 0, 70, 32)
    local slider = create("GWEN/Slider", "Slider", row)
    place(slider, 80, 6, 220, 20)
    slider:setProperty("MaximumValue", "1")
    slider:setProperty("ClickStepSize", "0.01")
    local spinner = create("GWEN/Spinner", "Spinner", row)
    place(spinner, 320, 0, 100, 30)
    spinner:setProperty("MinimumValue", "0")
    spinner:setProperty("MaximumValue", "255")
    spinner:setProperty("StepSize", "1")
    spinner:setProperty("TextInputMode", "FloatingPoint")
end
