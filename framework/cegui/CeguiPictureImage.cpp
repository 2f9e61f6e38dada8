#include "framework/cegui/CeguiPictureImage.hpp"

#include "foundation/tools/RegularFile.hpp"
#include "framework/cegui/CeguiString.hpp"

#include <CEGUI/CEGUI.h>

namespace {

/// Bytes lent to CEGUI's image codec: CEGUI's container frees what it holds,
/// so it lets go of them first.
struct LentBytes : CEGUI::RawDataContainer {
    explicit LentBytes(std::string& bytes)
    {
        setData(reinterpret_cast<CEGUI::uint8*>(bytes.data()));
        setSize(bytes.size());
    }
    ~LentBytes()
    {
        setData(nullptr);
        setSize(0);
    }
};

} // namespace

void addImageFromPictureFile(const CEGUI::String& name, const std::string& path)
{
    std::string bytes;
    if (!tools::readRegularFile(path, bytes))
        CEGUI_THROW(CEGUI::FileIOException("cannot read " + utf8ToCeguiString(path)));
    CEGUI::System& system = CEGUI::System::getSingleton();
    CEGUI::Texture& texture = system.getRenderer()->createTexture(name);
    if (!system.getImageCodec().load(LentBytes(bytes), &texture)) {
        system.getRenderer()->destroyTexture(texture);
        CEGUI_THROW(CEGUI::FileIOException(system.getImageCodec().getIdentifierString() + " cannot decode " +
                                           utf8ToCeguiString(path)));
    }
    auto& image = static_cast<CEGUI::BasicImage&>(CEGUI::ImageManager::getSingleton().create("BasicImage", name));
    image.setTexture(&texture);
    image.setArea(CEGUI::Rectf(CEGUI::Vector2f(0.0f, 0.0f), texture.getOriginalDataSize()));
    image.setAutoScaled(CEGUI::ASM_Disabled);
}
