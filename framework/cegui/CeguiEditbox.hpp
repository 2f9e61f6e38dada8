#pragma once

#include "framework/cegui/CeguiRegexMatcher.hpp"

#include <CEGUI/widgets/Editbox.h>

/// CEGUI's edit box with CeguiRegexMatcher as its validator. Registered in
/// place of "CEGUI/Editbox" when CEGUI has no validator of its own, so
/// spinners (which set a validation string on their edit box) and validated
/// edit boxes work.
class CeguiEditbox : public CEGUI::Editbox {
public:
    static const CEGUI::String WidgetTypeName;

    CeguiEditbox(const CEGUI::String& type, const CEGUI::String& name);
    ~CeguiEditbox() override;

private:
    CeguiRegexMatcher matcher;
};
