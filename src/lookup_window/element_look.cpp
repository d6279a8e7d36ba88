#include "element_look.h"

namespace quorvel {
namespace {

struct Attributes {
    ImageControl::Appearance appearance;
    ImageControl::BorderStyle borderStyle;
};

constexpr Attributes attributesOf(ElementLook look)
{
    return look == ElementLook::Selected ? Attributes{ImageControl::ThreeD, ImageControl::FixedSingle}
                                         : Attributes{ImageControl::Flat, ImageControl::NoBorder};
}

} // namespace

void setElementLook(ImageControl &element, ElementLook look)
{
    const Attributes attributes = attributesOf(look);
    element.setAppearance(attributes.appearance);
    element.setBorderStyle(attributes.borderStyle);
}

ElementLook elementLook(const ImageControl &element)
{
    return element.appearance() == ImageControl::Flat ? ElementLook::Plain : ElementLook::Selected;
}

bool showsLook(const ImageControl &element, ElementLook look)
{
    const Attributes attributes = attributesOf(look);
    return element.appearance() == attributes.appearance && element.borderStyle() == attributes.borderStyle;
}

} // namespace quorvel
