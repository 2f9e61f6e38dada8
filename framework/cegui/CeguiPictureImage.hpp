#pragma once

#include <CEGUI/String.h>

#include <string>

/// Makes the CEGUI image `name`, with a texture of the same name, of the
/// picture file at `path`. The file is read whole by the regular-file reader
/// (a named pipe or a device in its place is refused with a log line) and
/// decoded from memory by CEGUI's image codec. Throws CEGUI's exception when
/// the file cannot be read or decoded or the name is taken.
void addImageFromPictureFile(const CEGUI::String& name, const std::string& path);
