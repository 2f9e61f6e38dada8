#include "framework/cegui/CeguiOnlyDrawGeometryBuffer.hpp"

void CeguiOnlyDrawGeometryBuffer::setTranslation(const CEGUI::Vector3f&) {}
void CeguiOnlyDrawGeometryBuffer::setRotation(const CEGUI::Quaternion&) {}
void CeguiOnlyDrawGeometryBuffer::setPivot(const CEGUI::Vector3f&) {}
void CeguiOnlyDrawGeometryBuffer::setClippingRegion(const CEGUI::Rectf&) {}
void CeguiOnlyDrawGeometryBuffer::appendVertex(const CEGUI::Vertex&) {}
void CeguiOnlyDrawGeometryBuffer::appendGeometry(const CEGUI::Vertex* const, CEGUI::uint) {}
void CeguiOnlyDrawGeometryBuffer::setActiveTexture(CEGUI::Texture*) {}
void CeguiOnlyDrawGeometryBuffer::reset() {}
CEGUI::Texture* CeguiOnlyDrawGeometryBuffer::getActiveTexture() const
{
    return nullptr;
}
CEGUI::uint CeguiOnlyDrawGeometryBuffer::getVertexCount() const
{
    return 0;
}
CEGUI::uint CeguiOnlyDrawGeometryBuffer::getBatchCount() const
{
    return 0;
}
void CeguiOnlyDrawGeometryBuffer::setRenderEffect(CEGUI::RenderEffect*) {}
CEGUI::RenderEffect* CeguiOnlyDrawGeometryBuffer::getRenderEffect()
{
    return nullptr;
}
void CeguiOnlyDrawGeometryBuffer::setClippingActive(const bool) {}
bool CeguiOnlyDrawGeometryBuffer::isClippingActive() const
{
    return false;
}
