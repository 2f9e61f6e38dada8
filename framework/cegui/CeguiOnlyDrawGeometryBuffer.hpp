#pragma once

#include <CEGUI/GeometryBuffer.h>

/// A geometry buffer that holds no geometry: when the GUI renderer draws its
/// render queue, draw() runs custom drawing code at the buffer's place in it.
/// Every setter ignores its value and every query answers 0, null or false.
class CeguiOnlyDrawGeometryBuffer : public CEGUI::GeometryBuffer {
public:
    CeguiOnlyDrawGeometryBuffer() = default;
    ~CeguiOnlyDrawGeometryBuffer() override = default;

    void draw() const override = 0;

    void setTranslation(const CEGUI::Vector3f& translation) override;
    void setRotation(const CEGUI::Quaternion& rotation) override;
    void setPivot(const CEGUI::Vector3f& pivot) override;
    void setClippingRegion(const CEGUI::Rectf& region) override;
    void appendVertex(const CEGUI::Vertex& vertex) override;
    void appendGeometry(const CEGUI::Vertex* const vertices, CEGUI::uint count) override;
    void setActiveTexture(CEGUI::Texture* texture) override;
    void reset() override;
    CEGUI::Texture* getActiveTexture() const override;
    CEGUI::uint getVertexCount() const override;
    CEGUI::uint getBatchCount() const override;
    void setRenderEffect(CEGUI::RenderEffect* effect) override;
    CEGUI::RenderEffect* getRenderEffect() override;
    void setClippingActive(const bool active) override;
    bool isClippingActive() const override;
};
