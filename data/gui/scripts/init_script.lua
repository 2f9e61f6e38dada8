-- Start script of the GUI, run once when the GUI layer starts: loads the
-- skin GWEN and sets the defaults every screen relies on. The screens' own
-- scripts build their windows on top of this.
local system = CEGUI.System:getSingleton()
local context = system:getDefaultGUIContext()

CEGUI.SchemeManager:getSingleton():createFromFile("GWEN.scheme")

context:setDefaultFont("DejaVuSans-10")
context:getMouseCursor():setDefaultImage("GWEN/MouseArrow")
context:setDefaultTooltipType("GWEN/Tooltip")
