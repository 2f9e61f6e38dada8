#pragma once

#include <SFML/Graphics/Rect.hpp>

#include <map>
#include <string>

namespace json {
class Value;
}

/// Named rectangles of one image (a texture atlas), read from an ".img.json"
/// file: {"ImageFile": name relative to the map file's folder,
///  "Images": {name: [left, top, width, height], ...}}.
class SfImageMap {
public:
    using ImageMap = std::map<std::string, sf::IntRect>;

    SfImageMap() = default;
    virtual ~SfImageMap() = default;

    /// Adds the file's rectangles to the held ones (a name already held is
    /// replaced) and takes its image file name and folder. A file that cannot
    /// be read or parsed returns false with a log line and changes nothing.
    /// Missing or mistyped keys are no error: what is there is read.
    bool loadFromFile(const std::string& path);
    /// The same from a text; `directory` becomes the image file's folder.
    bool loadFromString(const std::string& text, const std::string& directory = "");
    /// Writes the image file name and the rectangles atomically; false (the
    /// old file untouched) when the file cannot be written.
    bool saveToFile(const std::string& path) const;
    /// The text saveToFile writes.
    std::string saveToString() const;

    const std::string& getImageFile() const { return imageFile; }
    void setImageFile(const std::string& file) { imageFile = file; }
    const std::string& getDirectory() const { return directory; }
    /// The folder joined with the image file name.
    std::string getImagePath() const;

    ImageMap& images() { return rects; }
    const ImageMap& images() const { return rects; }

    /// Forgets the image file name, the folder and the rectangles.
    void clear();

private:
    void read(const json::Value& root, const std::string& folder);
    json::Value toJson() const;

    std::string imageFile;
    std::string directory;
    ImageMap rects;
};
