#pragma once

#include "foundation/tools/ResourceSet.hpp"
#include "game/editor/GridElement.hpp"

namespace velk {

/// The builder's owning collection of grid elements. Hit tests run from the
/// first element to the last and drawing from the last to the first, so the
/// element that wins a hit test is the one drawn on top.
class GridElementSet : public tools::ResourceSet<GridElement> {
public:
    enum SelectionMode { Replace = 0, Add = 1, Remove = 2 };

    GridElementSet() = default;
    ~GridElementSet() override = default;

    void updateElementsIsOver(const math::Vector2<float>& p);
    void updateElementsPosition();
    /// From the last element to the first.
    void drawElements(const math::Vector2<float>& offset);
    /// The first element hit at p, or null.
    GridElement* getElementAt(const math::Vector2<float>& p) const;

    void selectElement(GridElement* element, SelectionMode mode);
    void selectInArea(const GridElement::Box& box, SelectionMode mode);

    unsigned getNumberOfSelected() const;
    unsigned getNumberOfGrabbed() const;

    void setAllSelected(bool v);
    void selectAll() { setAllSelected(true); }
    void deselectAll() { setAllSelected(false); }
    /// Only the elements of dynamic type T.
    template <typename T>
    void setAllSelected(bool v)
    {
        for (GridElement* element : getResources())
            if (dynamic_cast<T*>(element))
                element->setSelected(v);
    }

    void destroySelectedElements();
    template <typename T>
    void destroySelectedElements()
    {
        // Index scan: a destroyed element's successor moves into its place.
        std::size_t i = 0;
        while (i < getResources().size()) {
            GridElement* element = getResources()[i];
            if (element->isSelected() && dynamic_cast<T*>(element))
                destroy(element);
            else
                ++i;
        }
    }

    /// Releasing re-places each element from its entry.
    void setAllGrabbed(bool v);
    void grabAll() { setAllGrabbed(true); }
    void releaseAll() { setAllGrabbed(false); }
    void setSelectionGrabbed(bool v);
    void grabSelection() { setSelectionGrabbed(true); }
    void releaseSelection() { setSelectionGrabbed(false); }
    /// Grabs only the selected elements of dynamic type T.
    template <typename T>
    void grabSelection()
    {
        for (GridElement* element : getResources())
            if (element->isSelected() && dynamic_cast<T*>(element))
                element->grab();
    }

    void moveGrabbedElements(const math::Vector2<float>& d);
    void moveAllElements(const math::Vector2<float>& d);
};

} // namespace velk
