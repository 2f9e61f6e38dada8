#include "game/editor/GridElementSet.hpp"

namespace velk {

void GridElementSet::updateElementsIsOver(const math::Vector2<float>& p)
{
    for (GridElement* element : getResources())
        element->geUpdateIsOver(p);
}

void GridElementSet::updateElementsPosition()
{
    for (GridElement* element : getResources())
        element->updatePosition();
}

void GridElementSet::drawElements(const math::Vector2<float>& offset)
{
    const auto& elements = getResources();
    for (auto it = elements.rbegin(); it != elements.rend(); ++it)
        (*it)->drawOnGrid(offset);
}

GridElement* GridElementSet::getElementAt(const math::Vector2<float>& p) const
{
    for (GridElement* element : getResources())
        if (element->isPointInside(p))
            return element;
    return nullptr;
}

void GridElementSet::selectElement(GridElement* element, SelectionMode mode)
{
    switch (mode) {
    case Replace:
        deselectAll();
        if (element)
            element->select();
        break;
    case Add:
        if (element)
            element->select();
        break;
    case Remove:
        if (element)
            element->deselect();
        break;
    }
}

void GridElementSet::selectInArea(const GridElement::Box& box, SelectionMode mode)
{
    if (mode != Replace && mode != Add && mode != Remove)
        return;
    if (mode == Replace)
        deselectAll();
    for (GridElement* element : getResources())
        if (element->isInsideArea(box))
            element->setSelected(mode != Remove);
}

unsigned GridElementSet::getNumberOfSelected() const
{
    unsigned n = 0;
    for (const GridElement* element : getResources())
        n += element->isSelected() ? 1 : 0;
    return n;
}

unsigned GridElementSet::getNumberOfGrabbed() const
{
    unsigned n = 0;
    for (const GridElement* element : getResources())
        n += element->isGrabbed() ? 1 : 0;
    return n;
}

void GridElementSet::setAllSelected(bool v)
{
    for (GridElement* element : getResources())
        element->setSelected(v);
}

void GridElementSet::destroySelectedElements()
{
    std::size_t i = 0;
    while (i < getResources().size()) {
        GridElement* element = getResources()[i];
        if (element->isSelected())
            destroy(element);
        else
            ++i;
    }
}

void GridElementSet::setAllGrabbed(bool v)
{
    for (GridElement* element : getResources()) {
        element->setGrabbed(v);
        if (!v)
            element->updatePosition();
    }
}

void GridElementSet::setSelectionGrabbed(bool v)
{
    for (GridElement* element : getResources()) {
        if (!element->isSelected())
            continue;
        element->setGrabbed(v);
        if (!v)
            element->updatePosition();
    }
}

void GridElementSet::moveGrabbedElements(const math::Vector2<float>& d)
{
    for (GridElement* element : getResources())
        if (element->isGrabbed())
            element->move(d);
}

void GridElementSet::moveAllElements(const math::Vector2<float>& d)
{
    for (GridElement* element : getResources())
        element->move(d);
}

} // namespace velk
