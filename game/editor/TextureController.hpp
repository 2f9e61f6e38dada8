#pragma once

#include "foundation/math/Box.hpp"
#include "foundation/math/Grid2.hpp"
#include "framework/cegui/CeguiCanvasWidget.hpp"
#include "game/editor/EditorController.hpp"

#include <CEGUI/Event.h>
#include <CEGUI/String.h>
#include <CEGUI/Vector.h>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <memory>
#include <string>
#include <vector>

namespace CEGUI {
class EventArgs;
class Slider;
class Spinner;
class Window;
} // namespace CEGUI

namespace velk {

/// The texture pane: the rounded hull as a filled, textured preview fitted to
/// its canvas. A right drag shifts the texture, the wheel and two buttons
/// scale it, three slider and spinner pairs set the hull colour, and one
/// button per image of the hull texture folder picks the texture. Everything
/// is written into the edited ship at once.
class TextureController : public EditorController, public CeguiCanvasWidget::Drawer {
public:
    static constexpr float MinScale = 0.1f;
    static constexpr float MaxScale = 10.0f;

    /// The three colour channels, each a slider (0..1) and a spinner (0..255).
    class ColorWidgets {
    public:
        class Color {
        public:
            explicit Color(TextureController* owner) : owner(owner) {}
            void connectTo(CEGUI::Window* row);
            void updateSlider();
            void updateSpinner();
            bool onSliderChanged(const CEGUI::EventArgs& args);
            bool onSpinnerChanged(const CEGUI::EventArgs& args);

            TextureController* owner;
            CEGUI::Window* label = nullptr;
            CEGUI::Slider* slider = nullptr;
            CEGUI::Spinner* spinner = nullptr;
        };

        explicit ColorWidgets(TextureController* owner) : owner(owner), red(owner), green(owner), blue(owner) {}
        void connectTo(CEGUI::Window* container);
        /// The spinners from the ship's colour (all three read first).
        void updateColor();
        void updateSliders();
        void updateSpinners();

        TextureController* owner;
        Color red;
        Color green;
        Color blue;
    };

    TextureController(CeguiCanvasWidget* canvas, backend::ShipEntry* ship);
    ~TextureController() override;

    void connectToGui();
    void disconnectFromGui();
    void rebuild() override;
    void drawToCanvas(CEGUI::Window* canvas) override;

    /// Loads a hull texture of the texture folder and stores its name in the ship.
    void setTextureFile(const std::string& name);
    void updateShape();
    void updateShapeColor();
    void updateShipEntry();
    void updateShipGrid();
    void moveTextureBy(const math::Vector2<float>& pixels);
    void zoomTextureBy(bool up, const math::Vector2<float>& anchor);
    void zoomTextureTo(float zoom, const math::Vector2<float>& anchor);

    math::Vector2<float> getCanvasPosition() const;
    math::Vector2<float> getCanvasSize() const;
    math::Vector2<float> absolute2relative(const math::Vector2<float>& p) const;
    math::Vector2<float> relative2absolute(const math::Vector2<float>& p) const;
    math::Vector2<float> window2canvas(const CEGUI::Vector2<float>& p) const;

    bool onCanvasMouseMove(const CEGUI::EventArgs& args);
    bool onCanvasMouseWheel(const CEGUI::EventArgs& args);
    bool onCanvasResize(const CEGUI::EventArgs& args);
    bool onFillZoomButton(const CEGUI::EventArgs& args);
    bool onUnitZoomButton(const CEGUI::EventArgs& args);
    bool onColorSpinnerChanged(const CEGUI::EventArgs& args);
    /// A texture button: its user string "File" names the texture.
    bool onTextureButton(const CEGUI::EventArgs& args);

    const sf::VertexArray& getShape() const { return shape; }
    bool isTextureLoaded() const { return textureLoaded; }
    float getFitScale() const { return fitScale; }
    const math::Box<math::Vector2<float>>& getBounds() const { return bounds; }
    const math::Grid2<float>& getGrid() const { return grid; }
    ColorWidgets& colors() { return colorWidgets; }
    /// The texture buttons, one per image of the texture folder, in name order.
    const std::vector<CEGUI::Window*>& textureButtons() const { return buttons; }

protected:
    void onActivate() override;

private:
    void connectToCanvas();
    void connectToZoomButtons();
    void connectToColor();
    void connectToTextures();
    void setupOnlyThisWindows();

    std::vector<std::unique_ptr<CEGUI::Event::ScopedConnection>> connections;
    CeguiCanvasWidget* canvasWidget;
    sf::VertexArray shape;
    /// Made on the first load with a window (an SFML texture needs a display).
    std::unique_ptr<sf::Texture> texture;
    bool textureLoaded = false;
    float fitScale = 1.0f;
    math::Vector2<float> margin;
    math::Box<math::Vector2<float>> bounds;
    math::Grid2<float> grid;
    ColorWidgets colorWidgets;
    std::vector<CEGUI::Window*> buttons;
    /// The preview images this controller made, each with its own texture.
    std::vector<CEGUI::String> previewImages;
};

} // namespace velk
