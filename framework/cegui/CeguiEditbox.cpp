#include "framework/cegui/CeguiEditbox.hpp"

const CEGUI::String CeguiEditbox::WidgetTypeName("CEGUI/Editbox");

CeguiEditbox::CeguiEditbox(const CEGUI::String& type, const CEGUI::String& name) : CEGUI::Editbox(type, name)
{
    matcher.setRegexString(getValidationString());
    setValidator(&matcher);
}

// The edit box never deletes a validator it was given; ours is a member.
CeguiEditbox::~CeguiEditbox() = default;
