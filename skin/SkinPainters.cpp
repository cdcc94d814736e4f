#include "skin/SkinPainter.h"

#include "skin/ButtonPainter.h"
#include "skin/CheckRadioPainter.h"

const TSkinPainter* SkinPainterFor(TSkinnerKind kind)
{
    switch (kind) {
    case TSkinnerKind::Button:
        return &ButtonPainter();
    case TSkinnerKind::CheckBox:
        return &CheckBoxPainter();
    case TSkinnerKind::RadioButton:
        return &RadioButtonPainter();
    case TSkinnerKind::GroupBox:
        return nullptr;
    case TSkinnerKind::Box:
        return nullptr;
    case TSkinnerKind::StatusBar:
        return nullptr;
    case TSkinnerKind::Tab:
        return nullptr;
    case TSkinnerKind::TabSheet:
        return nullptr;
    case TSkinnerKind::Edit:
        return nullptr;
    case TSkinnerKind::ComboBox:
        return nullptr;
    case TSkinnerKind::UpDown:
        return nullptr;
    case TSkinnerKind::Progress:
        return nullptr;
    case TSkinnerKind::TrackBar:
        return nullptr;
    case TSkinnerKind::ScrollBar:
        return nullptr;
    case TSkinnerKind::Header:
        return nullptr;
    case TSkinnerKind::Sizer:
        return nullptr;
    }
    return nullptr;
}
