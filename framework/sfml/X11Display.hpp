#pragma once

/// Whether an X display can be opened (DISPLAY set and the server reachable).
/// SFML aborts the process when it cannot open one, so the window layer asks
/// first and can give a clear message instead.
bool isX11DisplayAvailable();
