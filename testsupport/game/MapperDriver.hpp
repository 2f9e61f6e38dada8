#pragma once

// The map editor as a player works it from outside: its window layout at
// 1024 x 768, X input with drags, wheel steps and typing into its dialogs, and
// the map canvas's view replayed to find a cell's pixel. For window tests that
// drive the editor, alone or inside the game program.

#include "foundation/math/Grid2.hpp"
#include "testsupport/window/XWindowDriver.hpp"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace velk_test {

namespace mapper {

// Window pixels of the layout in init_mapper.lua at 1024 x 768.
inline constexpr int CanvasLeft = 236;
inline constexpr int NewButtonX = 57, LoadButtonX = 163, MenuRow1Y = 48;
inline constexpr int SaveAsButtonX = 163, MenuRow2Y = 86;
inline constexpr int ExitX = 110, ExitY = 124;
inline constexpr int PaletteLeft = 6, PaletteTop = 392, PaletteWidth = 206;
// Dialogs are centred; a frame window's client area starts 3 px in and 24 px down.
inline constexpr int NewMapClientX = 312 + 3, NewMapClientY = 259 + 24;
inline constexpr int LoadClientX = 312 + 3, LoadClientY = 204 + 24;
inline constexpr int SaveClientX = 312 + 3, SaveClientY = 184 + 24;

} // namespace mapper

/// The player: X input to the game window, run on its own thread.
class MapperPlayer : public XWindowDriver {
public:
    void click(int x, int y, int button = 1) { XWindowDriver::click(x, y, button, std::chrono::milliseconds(120)); }

    /// A press, moves cell by cell along the points, a release.
    void drag(const std::vector<std::pair<int, int>>& points, int button)
    {
        moveTo(points.front().first, points.front().second);
        press(button);
        for (const auto& p : points) {
            moveTo(p.first, p.second);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        release(button);
        std::this_thread::sleep_for(std::chrono::milliseconds(120));
    }

    void wheel(int x, int y, int steps, bool shift = false)
    {
        moveTo(x, y);
        if (shift)
            run("keydown shift");
        for (int i = 0; i < std::abs(steps); ++i) {
            run(std::string("click ") + (steps > 0 ? "4" : "5"));
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
        }
        if (shift)
            run("keyup shift");
        std::this_thread::sleep_for(std::chrono::milliseconds(120));
    }

    /// Selects the word in an edit box with a double click and types over it.
    void typeOver(int x, int y, const std::string& text)
    {
        doubleClick(x, y);
        typeFocused(text);
    }

    /// Clicks into an empty edit box and types the text.
    void typeInto(int x, int y, const std::string& text)
    {
        click(x, y);
        typeFocused(text);
    }

    /// Typed to the focused window, as a keyboard does.
    void typeFocused(const std::string& text)
    {
        run("type --delay 40 '" + text + "'");
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }

    /// A new map of this size through the New dialog.
    void newMap(const std::string& width, const std::string& height)
    {
        using namespace mapper;
        click(NewButtonX, MenuRow1Y);
        typeOver(NewMapClientX + 16 + 250 + 20, NewMapClientY + 12 + 14, width);
        typeOver(NewMapClientX + 16 + 250 + 20, NewMapClientY + 12 + 34 + 14, height);
        click(NewMapClientX + 16 + 80 + 65, NewMapClientY + 168 + 16);
    }

    /// Save as, the name typed, Save.
    void saveAs(const std::string& name)
    {
        using namespace mapper;
        click(SaveAsButtonX, MenuRow2Y);
        typeInto(SaveClientX + 126 + 100, SaveClientY + 272 + 15, name);
        click(SaveClientX + 16 + 98 + 65, SaveClientY + 316 + 16);
    }

    /// Scrolls the palette to its end, where the markers are.
    void scrollPaletteToMarkers() { wheel(mapper::PaletteLeft + 50, mapper::PaletteTop + 100, -8); }

    /// Picks a marker of the scrolled palette's first marker row: 0 start, 1
    /// platform, 2 and 3 the first checkpoints.
    void pickMarker(int column)
    {
        using namespace mapper;
        const int markerRow = PaletteTop + 14 * 30 - 138 + 15;
        const int width = PaletteWidth / 4;
        click(PaletteLeft + column * width + width / 2, markerRow);
    }

    bool capture(const std::filesystem::path& file)
    {
        moveTo(mapper::ExitX, 300); // the cursor off the canvas
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        return XWindowDriver::capture(file).getSize().x > 0;
    }
};

/// The map canvas's view as the editor works it out, replayed for the clicks.
struct CanvasView {
    math::Grid2<float> grid;

    CanvasView() { grid.cellSize = 50.0f; }

    void zoomOut(const math::Vector2<float>& point, int steps)
    {
        for (int i = 0; i < steps; ++i)
            grid.zoomAt(point, 1.0f / 1.1f);
    }

    /// Window pixel of the middle of a cell.
    std::pair<int, int> cell(int x, int y) const
    {
        const float pitch = grid.scale();
        return {mapper::CanvasLeft + static_cast<int>(std::lround(grid.origin.x + (x + 0.5f) * pitch)),
                static_cast<int>(std::lround(grid.origin.y + (y + 0.5f) * pitch))};
    }

    /// The cells of a row (every `step`-th) or of a column.
    std::vector<std::pair<int, int>> row(int y, int fromX, int toX, int step = 1) const
    {
        std::vector<std::pair<int, int>> points;
        for (int x = fromX; x <= toX; x += step)
            points.push_back(cell(x, y));
        return points;
    }
    std::vector<std::pair<int, int>> column(int x, int fromY, int toY) const
    {
        std::vector<std::pair<int, int>> points;
        for (int y = fromY; y >= toY; --y)
            points.push_back(cell(x, y));
        return points;
    }
};

} // namespace velk_test
