#pragma once

#include "engine/GameActionMapper.hpp"
#include "engine/GameAxisMap.hpp"
#include "foundation/tools/Activable.hpp"
#include "foundation/tools/NonCopyable.hpp"
#include "foundation/tools/Updateable.hpp"
#include "framework/cegui/CeguiConnectionSet.hpp"

#include <list>
#include <memory>

namespace CEGUI {
class EventArgs;
class GUIContext;
class Window;
} // namespace CEGUI

/// Keyboard and joystick navigation of a GUI menu. The menu is a graph of
/// nodes, one per widget, each with up to four neighbours. The arrow keys (or
/// the joystick hat) step along the links, one step per push; the stepper
/// marks the focused widget by moving the mouse cursor onto its centre, and a
/// widget the mouse enters becomes the focused node. Return (joystick button
/// 0) presses the focused widget, Escape (button 1) the first node marked
/// back.
///
/// Typical use: clear(); connect the first widget from getRoot() with All,
/// chain the others with Down, wrap the last to the first; mark the closing
/// widget back; activate(); stepToDefault(); then update(dt) every frame.
class GuiStepper : public tools::NonCopyable, public tools::Activable, public tools::Updateable {
public:
    class Node : public tools::NonCopyable {
    public:
        enum Direction { Left = 0, Right = 1, Up = 2, Down = 3, None = 4, Horizontal = 5, Vertical = 6, All = 7 };

        Node(GuiStepper* stepper, CEGUI::Window* window) : stepper(stepper), window(window) {}
        ~Node() override = default;

        /// Left and Right swap, Up and Down swap; anything else gives None.
        static Direction getInverseDirection(Direction direction);

        /// The stepper's addConnection from this node.
        Node* connectTo(CEGUI::Window* target, Direction direction);
        void setIsBack(bool back) { isBackNode = back; }
        bool isBack() const { return isBackNode; }
        CEGUI::Window* getWindow() const { return window; }
        /// The neighbour in one of the four single directions; null otherwise.
        Node* getLink(Direction direction) const;
        /// Presses the widget: clicks a button, selects a list box's next
        /// item, toggles a toggle or radio button. Nothing for the root or a
        /// disabled widget.
        void fireEvent();

    private:
        friend class GuiStepper;
        GuiStepper* stepper;
        bool isBackNode = false;
        CEGUI::Window* window;
        Node* links[4] = {nullptr, nullptr, nullptr, nullptr};
    };

    /// Inactive, with an empty graph and the root as the focused node.
    GuiStepper();
    ~GuiStepper() override;

    Node* getRoot() { return &root; }
    /// Links `from` to the window's node (made when missing) in the given
    /// directions, and the node back to `from` where that slot is free or
    /// holds the root. Null for a null window or the direction None.
    Node* addConnection(Node* from, CEGUI::Window* window, Node::Direction direction);
    /// The node of the window; null when none (the root is never found).
    Node* searchNode(const CEGUI::Window* window) const;
    Node* getActiveNode() const { return active; }
    std::size_t getNodeCount() const { return nodes.size(); }

    /// Forgets every node and the widgets' mouse-enter subscriptions; the
    /// root becomes the focused node again.
    void clear();
    /// The first node made becomes the focused one, with the cursor on it.
    void stepToDefault();
    /// Puts the cursor on the centre of the focused widget (of a radio
    /// button's square at its left edge).
    void moveCursorToActive();
    /// One step as a push of the axis would make it (axis 0 up/down, axis 1
    /// right/left); other ids do nothing.
    void stepOnAxis(char axisId, GameAxis::Direction direction);
    /// Presses the focused widget when the cursor is on it.
    void doAction();
    /// Presses the first node marked back.
    void doBack();

    /// Whether this frame's update pressed a widget (do), the back node, or either.
    bool isDoneAction() const { return doneAction; }
    bool isDoneBack() const { return doneBack; }
    bool isDoneAny() const { return doneAction || doneBack; }

    void setDoAction(const fx::InputAction& action) { actions[0] = action; }
    void setBackAction(const fx::InputAction& action) { actions[1] = action; }
    /// Axis 0: the Up/Down keys and the hat's PovX.
    GameAxis* horizonalAxis() { return axes.getAxis(0); }
    const GameAxis* horizonalAxis() const { return axes.getAxis(0); }
    /// Axis 1: the Right/Left keys and the hat's PovY.
    GameAxis* verticalAxis() { return axes.getAxis(1); }
    const GameAxis* verticalAxis() const { return axes.getAxis(1); }

    /// A widget of the graph was entered by the mouse: it becomes the focused
    /// node while the stepper is active.
    bool onMouseEntersArea(const CEGUI::EventArgs& args);

    void onUpdate(float dt) override;

    /// Whether the context leaves its input to navigation: no window is modal
    /// (the back node is fired directly, past any modal window) and no edit
    /// box has the focus (the arrow keys are its caret keys). Screens keep
    /// their stepper inactive otherwise.
    static bool mayNavigate(const CEGUI::GUIContext& context);

    /// Where focus, held input and the cursor go (the live source by
    /// default); also used by the stepper's axes and actions.
    void setInputSource(const GameInputSource& source);

private:
    void step(Node::Direction direction);

    GameAxisMap<char> axes;
    GameActionMapper<char> actions;
    Node root;
    std::list<std::unique_ptr<Node>> nodes;
    int lastStep[2] = {0, 0};
    Node* active;
    bool doneAction = false;
    bool doneBack = false;
    CeguiConnectionSet mouseEnterConnections;
    const GameInputSource* source = &GameInputSource::live();
};
