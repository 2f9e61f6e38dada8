#pragma once

#include "engine/GameActionMapper.hpp"
#include "game/shell/VelkState.hpp"

namespace CEGUI {
class EventArgs;
class Slider;
class Spinner;
class Window;
} // namespace CEGUI

namespace velk {

/// A developer screen showing the skin's widgets: a list, a multi-column list,
/// a combo box and three colour rows whose sliders and spinners drive the
/// background colour. F1 toggles the GUI's disabled state, F5 rebuilds it.
class GuiTestState : public VelkState {
public:
    struct ColorWidgets {
        /// One colour row: a slider (0..1) and a spinner (0..255) kept in step.
        struct Color {
            explicit Color(GuiTestState* owner) : state(owner) {}
            void connectTo(CEGUI::Window* row);
            void updateSlider();
            void updateSpinner();
            bool onSliderChanged(const CEGUI::EventArgs&);
            bool onSpinnerChanged(const CEGUI::EventArgs&);

            GuiTestState* state;
            CEGUI::Window* label = nullptr;
            CEGUI::Slider* slider = nullptr;
            CEGUI::Spinner* spinner = nullptr;
        };

        explicit ColorWidgets(GuiTestState* owner) : state(owner), red(owner), green(owner), blue(owner) {}
        void connectTo(CEGUI::Window* colors);
        void updateSliders();
        void updateSpinners();

        GuiTestState* state;
        Color red;
        Color green;
        Color blue;
    };

    GuiTestState();
    ~GuiTestState() override;

    void onStateStart() override;
    void onStateEnd() override;
    void update() override;

    /// Runs the script, then binds the colour rows and fills the lists.
    void initGui();
    ColorWidgets& colorWidgets() { return colors; }

    bool onColorSpinnerChanged(const CEGUI::EventArgs&);

private:
    void connectToColor();
    void fillSimpleList();
    void fillMultiList();
    void fillCombo();

    GameActionMapper<char> actions;
    ColorWidgets colors;
};

} // namespace velk
