-- Demo GUI: a frame window holding a canvas (with a button over part of it),
-- a button and a status line. Positions are in pixels so window tests know
-- where to look: the panel's client area starts 3 px right of and 24 px below
-- the panel's corner.
local windows = CEGUI.WindowManager:getSingleton()
local context = CEGUI.System:getSingleton():getDefaultGUIContext()

local function place(window, x, y, w, h)
    window:setPosition(CEGUI.UVector2(CEGUI.UDim(0, x), CEGUI.UDim(0, y)))
    window:setSize(CEGUI.USize(CEGUI.UDim(0, w), CEGUI.UDim(0, h)))
end

local root = windows:createWindow("DefaultWindow", "DemoRoot")
context:setRootWindow(root)

local panel = windows:createWindow("GWEN/FrameWindow", "Panel")
place(panel, 200, 100, 400, 300)
panel:setText("Velkors – árvíztűrő tükörfúrógép")
panel:setProperty("SizingEnabled", "false")
panel:setProperty("DragMovingEnabled", "false")
panel:setProperty("CloseButtonEnabled", "false")
root:addChild(panel)

local canvas = windows:createWindow("CanvasWidget", "Canvas")
place(canvas, 20, 20, 200, 120)
panel:addChild(canvas)

local over = windows:createWindow("GWEN/Button", "Over")
place(over, 10, 10, 60, 30)
over:setText("Fölötte")
canvas:addChild(over)

local click = windows:createWindow("GWEN/Button", "Click")
place(click, 20, 160, 160, 32)
click:setText("Kattints ide")
panel:addChild(click)

local status = windows:createWindow("GWEN/StaticText", "Status")
place(status, 20, 210, 300, 28)
status:setText("")
panel:addChild(status)
