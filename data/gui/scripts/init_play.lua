-- The play screen's windows: the HUD (score, clock, landing hint, hull and
-- fuel bars), the in-game menu, the game-over dialog and the time-trial
-- dialog. The screen runs this script once the game has loaded; windows of an
-- earlier run go first, and the image collection "Ingame" and the font
-- "TimeTrial" are loaded only when they are not defined yet. Texts that begin
-- with "@" are translation codes; the screen translates them after the script.
local system = CEGUI.System:getSingleton()
local context = system:getDefaultGUIContext()
local windows = CEGUI.WindowManager:getSingleton()
local images = CEGUI.ImageManager:getSingleton()
local fonts = CEGUI.FontManager:getSingleton()

loadSchemeOnce("GWEN")
if not images:isDefined("Ingame/Checkpoint") then
    images:loadImageset("Ingame.imageset")
end
if not fonts:isDefined("TimeTrial") then
    fonts:createFromFile("TimeTrial.font")
end
if not fonts:isDefined("BebasNeue-32") then
    fonts:createFromFile("BebasNeue-32.font")
end

local root = prepareRoot({ "Score", "Time", "Landable", "Stats", "Menu", "GameOver", "TimeTrial" })

local function area(window, xs, x, ys, y, w, h)
    window:setPosition(CEGUI.UVector2(CEGUI.UDim(xs, x), CEGUI.UDim(ys, y)))
    window:setSize(CEGUI.USize(CEGUI.UDim(0, w), CEGUI.UDim(0, h)))
end

local function place(window, x, y, w, h)
    area(window, 0, x, 0, y, w, h)
end

local function frame(name, title, w, h)
    local window = create("GWEN/FrameWindow", name, root, title)
    area(window, 0.5, -w / 2, 0.5, -h / 2, w, h)
    window:setProperty("SizingEnabled", "false")
    window:setProperty("DragMovingEnabled", "false")
    window:setProperty("CloseButtonEnabled", "false")
    window:setVisible(false)
    return window
end

local function button(name, parent, text, x, y, w, h)
    local window = create("GWEN/Button", name, parent, text)
    place(window, x, y, w, h)
    return window
end

-- Text over the game: no frame, no background, mouse passes through.
local function hudText(name, parent, text, font, colour)
    local window = create("GWEN/StaticText", name, parent, text)
    window:setProperty("FrameEnabled", "false")
    window:setProperty("BackgroundEnabled", "false")
    window:setProperty("TextColours", colour)
    window:setFont(font)
    window:setMousePassThroughEnabled(true)
    return window
end

local function wrapped(name, parent, text, x, y, w, h)
    local window = create("GWEN/StaticText", name, parent, text)
    place(window, x, y, w, h)
    window:setProperty("HorzFormatting", "WordWrapCentreAligned")
    window:setProperty("VertFormatting", "TopAligned")
    window:setProperty("FrameEnabled", "false")
    window:setProperty("BackgroundEnabled", "false")
    return window
end

------------------------------------------------------------------------------
-- HUD. The clock at the top left, the score at the top right, the landing
-- hint at the bottom centre, the two bars at the bottom left.
local time = hudText("Time", root, "00:00:00", "BebasNeue-32", "FFBFE2FF")
area(time, 0, 24, 0, 10, 220, 52)
time:setProperty("HorzFormatting", "LeftAligned")

local score = hudText("Score", root, "0", "BebasNeue-32", "FFFFC23C")
area(score, 1, -244, 0, 10, 220, 52)
score:setProperty("HorzFormatting", "RightAligned")

local landable = hudText("Landable", root, "@play.hud.landable", "TimeTrial", "FF38CBF2")
area(landable, 0.5, -300, 1, -110, 600, 34)
landable:setProperty("HorzFormatting", "CentreAligned")
landable:setVisible(false)

local stats = create("DefaultWindow", "Stats", root)
area(stats, 0, 20, 1, -84, 330, 64)
stats:setMousePassThroughEnabled(true)
local function bar(name, text, y)
    local holder = create("DefaultWindow", name, stats)
    place(holder, 0, y, 330, 28)
    holder:setMousePassThroughEnabled(true)
    local label = hudText("Label", holder, text, "DejaVuSans-12", "FFDDE6F0")
    place(label, 0, 0, 116, 28)
    label:setProperty("HorzFormatting", "LeftAligned")
    local progress = create("GWEN/ProgressBar", "Bar", holder)
    place(progress, 122, 5, 200, 18)
    progress:setProperty("CurrentProgress", "1")
    progress:setMousePassThroughEnabled(true)
end
bar("Health", "@play.hud.health", 0)
bar("Fuel", "@play.hud.fuel", 32)

------------------------------------------------------------------------------
-- In-game menu: five buttons in a column.
local menu = frame("Menu", "@play.menu.title", 300, 330)
local menuButtons = {
    { "Resume", "@play.menu.resume" },
    { "Restart", "@play.menu.restart" },
    { "Save", "@play.menu.save" },
    { "Back", "@play.menu.back" },
    { "Exit", "@play.menu.exit" },
}
for i, entry in ipairs(menuButtons) do
    local window = button(entry[1], menu, entry[2], 30, 16 + (i - 1) * 54, 234, 40)
    -- A game in flight cannot be saved: the entry shows so instead of doing nothing.
    if entry[1] == "Save" then
        window:setEnabled(false)
    end
end

------------------------------------------------------------------------------
-- Game over: the player's name for the high-score table.
local gameOver = frame("GameOver", "@play.gameover.title", 440, 250)
wrapped("Text", gameOver, "@play.gameover.text", 20, 12, 394, 44)
local name = create("GWEN/Editbox", "Name", gameOver)
place(name, 70, 62, 294, 34)
name:setProperty("MaxTextLength", "40")
local info = wrapped("Info", gameOver, "", 20, 104, 394, 26)
info:setProperty("TextColours", "FFFF7A5A")
button("Ok", gameOver, "@play.gameover.ok", 52, 150, 150, 36)
button("Cancel", gameOver, "@play.gameover.cancel", 232, 150, 150, 36)

------------------------------------------------------------------------------
-- Time trial: what the trial is about and the checkpoint table, which the
-- screen fills in "Description/Points".
local trial = frame("TimeTrial", "@play.timetrial.title", 600, 360)
local description = create("DefaultWindow", "Description", trial)
place(description, 20, 8, 554, 250)
local title = hudText("Title", description, "@play.timetrial.title", "TimeTrial", "FFFFC23C")
place(title, 0, 0, 554, 34)
title:setProperty("HorzFormatting", "CentreAligned")
wrapped("Text", description, "@play.timetrial.text", 0, 38, 554, 60)
local points = create("DefaultWindow", "Points", description)
place(points, 20, 104, 514, 140)
points:setMousePassThroughEnabled(true)
button("Start", trial, "@play.timetrial.start", 120, 268, 160, 38)
button("Back", trial, "@play.timetrial.back", 314, 268, 160, 38)
