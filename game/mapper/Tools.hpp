#pragma once

namespace dunnix {

/// What the map editor's parts share: the tile code painting puts down, the
/// brush size and whether the map has unsaved changes. Passive: readers poll
/// and compare with what they saw before. The setters store values as given;
/// the limits belong to the writers (the palette's tile set, the brush
/// spinner's range).
class Tools {
public:
    Tools() = default;
    virtual ~Tools() = default;

    unsigned char getTileType() const { return tileType; }
    void setTileType(unsigned char tile) { tileType = tile; }
    int getBrushSize() const { return brushSize; }
    void setBrushSize(int size) { brushSize = size; }
    bool isDirty() const { return dirty; }
    void setDirty(bool value) { dirty = value; }

private:
    unsigned char tileType = 1;
    int brushSize = 1;
    /// A new editor starts on a map that was never saved.
    bool dirty = true;
};

} // namespace dunnix
