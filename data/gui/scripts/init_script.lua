-- Start script of the GUI, run once when the GUI layer starts: loads the
-- skin GWEN and sets the defaults every screen relies on. The screens' own
-- scripts build their windows on top of this.
local system = CEGUI.System:getSingleton()
local context = system:getDefaultGUIContext()

CEGUI.SchemeManager:getSingleton():createFromFile("GWEN.scheme")

context:setDefaultFont("DejaVuSans-10")
context:getMouseCursor():setDefaultImage("GWEN/MouseArrow")
context:setDefaultTooltipType("GWEN/Tooltip")

-- What every screen's script does first. The screens run their scripts again
-- (F5, a language change, every start), in this script's Lua state, so these
-- functions are there for them.

-- Loads a scheme file "<name>.scheme" only when the scheme is not defined yet.
function loadSchemeOnce(name)
    local schemes = CEGUI.SchemeManager:getSingleton()
    if not schemes:isDefined(name) then
        schemes:createFromFile(name .. ".scheme")
    end
end

-- The root window, made when there is none, with the named top windows of an
-- earlier run destroyed, so a name never stands twice. Compared by name while
-- walking the children: the script binding's isChild(name) refuses a plain
-- string.
function prepareRoot(topWindows)
    local context = CEGUI.System:getSingleton():getDefaultGUIContext()
    local windows = CEGUI.WindowManager:getSingleton()
    local root = context:getRootWindow()
    if root == nil then
        root = windows:createWindow("DefaultWindow", "Root")
        context:setRootWindow(root)
    end
    root:setMousePassThroughEnabled(true)
    local stale = {}
    for _, name in ipairs(topWindows) do
        stale[name] = true
    end
    for i = root:getChildCount() - 1, 0, -1 do
        local child = root:getChildAtIdx(i)
        if stale[child:getName()] then
            windows:destroyWindow(child)
        end
    end
    return root
end

-- Widgets by pixel areas, shared by the screens' scripts (a script may define
-- its own variant under the same name).

function create(kind, name, parent, text)
    local window = CEGUI.WindowManager:getSingleton():createWindow(kind, name)
    if text ~= nil then
        window:setText(text)
    end
    parent:addChild(window)
    return window
end

-- A window at a pixel area of its parent.
function place(window, x, y, w, h)
    window:setPosition(CEGUI.UVector2(CEGUI.UDim(0, x), CEGUI.UDim(0, y)))
    window:setSize(CEGUI.USize(CEGUI.UDim(0, w), CEGUI.UDim(0, h)))
end

-- A window of the given pixel size in the middle of its parent.
function centre(window, w, h)
    window:setPosition(CEGUI.UVector2(CEGUI.UDim(0.5, -w / 2), CEGUI.UDim(0.5, -h / 2)))
    window:setSize(CEGUI.USize(CEGUI.UDim(0, w), CEGUI.UDim(0, h)))
end

-- A plain container that lets the mouse reach what lies under its empty parts.
function group(name, parent, x, y, w, h)
    local window = create("DefaultWindow", name, parent)
    place(window, x, y, w, h)
    window:setMousePassThroughEnabled(true)
    return window
end

function button(name, parent, text, x, y, w, h)
    local window = create("GWEN/Button", name, parent, text)
    place(window, x, y, w, h)
    return window
end
