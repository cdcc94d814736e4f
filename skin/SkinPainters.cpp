#include "skin/SkinPainter.h"

#include "skin/ButtonPainter.h"
#include "skin/CheckRadioPainter.h"
#include "skin/ComboPainter.h"
#include "skin/EditPainter.h"
#include "skin/GroupPainters.h"
#include "skin/HeaderPainter.h"
#include "skin/ProgressPainter.h"
#include "skin/ScrollBarPainter.h"
#include "skin/SizerPainter.h"
#include "skin/TabPainter.h"
#include "skin/TrackBarPainter.h"
#include "skin/UpDownPainter.h"

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
        return &GroupBoxPainter();
    case TSkinnerKind::Box:
        return nullptr; // colour only: the binding gives panels the skin's face
    case TSkinnerKind::StatusBar:
        return &StatusBarPainter();
    case TSkinnerKind::Tab:
        return &TabPainter();
    case TSkinnerKind::TabSheet:
        return &TabSheetPainter();
    case TSkinnerKind::Edit:
        return &EditPainter();
    case TSkinnerKind::ComboBox:
        return &ComboPainter();
    case TSkinnerKind::UpDown:
        return &UpDownPainter();
    case TSkinnerKind::Progress:
        return &ProgressPainter();
    case TSkinnerKind::TrackBar:
        return &TrackBarPainter();
    case TSkinnerKind::ScrollBar:
        return &ScrollBarPainter();
    case TSkinnerKind::Header:
        return &HeaderPainter();
    case TSkinnerKind::Sizer:
        return &SizerPainter();
    }
    return nullptr;
}
