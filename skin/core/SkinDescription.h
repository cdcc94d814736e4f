#pragma once
// A skin description: the skin objects, the caption buttons and the colours one skin package gives.
// Every painter of the engine reads only what is stored here. An object that its section does not
// give is absent (the painters then leave the system's own look); the borders, the title, the buttons,
// the track channels and the tool-bar image always exist.
#include "skin/core/SkinObjects.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// The colour set of [Colours]; each is a system colour until the skin gives its own.
struct TSkinColours {
    platform::TColor WindowText = platform::clWindowText;
    platform::TColor TitleTextActive = platform::clCaptionText;
    platform::TColor TitleTextNoActive = platform::clInactiveCaptionText;
    platform::TColor ButtonFace = platform::clBtnFace;
    platform::TColor ButtonText = platform::clBtnText;
    platform::TColor ButtonHilight = platform::clBtnHighlight;
    platform::TColor Buttonlight = platform::clBtnHighlight;
    platform::TColor ButtonShadow = platform::clBtnShadow;
    platform::TColor ButtonDkShadow = platform::cl3DDkShadow;
    platform::TColor HilightText = platform::clHighlightText;
    platform::TColor Hilight = platform::clHighlight;
    platform::TColor Menubar = platform::clBtnFace;
    platform::TColor MenuBarText = platform::clMenuText;
    platform::TColor MenuText = platform::clMenuText;
    platform::TColor Menu = platform::clMenu;
    platform::TColor Scrollbar = platform::clScrollBar;
};

// Caption-button actions (TDataSkinSysButton::Action) the description itself treats apart.
enum TSysButtonAction : int {
    sbaWindowMenu = 3,
    sbaMdiMinimize = 7,
    sbaMdiRestore = 8,
    sbaMdiClose = 9,
    sbaWindowIcon = 11,
};

struct TSkinDescription {
    QString SkinName;

    // The window borders; Top and Bottom hold their cells stacked, Left and Right side by side.
    TDataSkinBorder Left{QStringLiteral("Left")};
    TDataSkinBorder Right{QStringLiteral("Right")};
    TDataSkinBorder Top{QStringLiteral("Top")};
    TDataSkinBorder Bottom{QStringLiteral("Bottom")};
    TDataSkinTitle Title{QStringLiteral("Title")};
    // In the order of their sections, then the three MDI-child buttons (which nothing here shows).
    std::vector<TDataSkinSysButton> SysButtons;
    TDataSkinButton Buttons{QStringLiteral("Buttons")};

    std::optional<TDataSkinBorder> Progress;
    std::optional<TDataSkinObject> MenuBar; // cells stacked
    std::optional<TDataSkinObject> GroupBoxEdge;
    std::optional<TDataSkinBoxLabel> GroupBox;
    std::optional<TDataSkinBorder> Tabs;
    std::optional<TDataSkinObject> StatusBarEdges;
    std::optional<TDataSkinObject> TabPane;
    std::optional<TDataSkinObject> ToolBars;
    // With SunkEdge present, the combo strip made from both (Style 2); SunkEdge holds it mirrored.
    std::optional<TDataSkinBorder> ComboButton;
    std::optional<TDataSkinObject> SunkEdge;
    std::optional<TDataSkinObject> ExtraImages;
    std::optional<TDataSkinObject> Headerbar;
    std::optional<TDataSkinObject> MenuItem;
    std::optional<TDataSkinObject> MenuBackground;
    std::optional<TDataSkinObject> Scrollbar;
    std::optional<TDataSkinObject> HorzScroll;
    std::optional<TDataSkinObject> VertScroll;
    std::optional<TDataSkinObject> HorzScrollThumb;
    std::optional<TDataSkinObject> VertScrollThumb;
    std::optional<TDataSkinObject> TrackbarThumbHorz;
    std::optional<TDataSkinObject> TrackbarThumbVert;
    std::optional<TDataSkinObject> TrackbarThumbLeft;
    std::optional<TDataSkinObject> TrackbarThumbRight;
    std::optional<TDataSkinObject> TrackbarThumbUp;
    std::optional<TDataSkinObject> TrackbarThumbDown;
    std::optional<TDataSkinBorder> UpDownHorz;
    std::optional<TDataSkinBorder> UpDownVert;
    // The track-bar channels are the program's own images, not the skin's.
    TDataSkinObject Track{QStringLiteral("TRACK")};
    TDataSkinObject TrackVert{QStringLiteral("TRACKVERT")};
    // A vertical gradient made from the skin's face and title colours.
    TDataSkinObject Toolbar{QStringLiteral("Toolbar")};

    TSkinColours Colours;
    // One entry per section named COLOUR... (other than COLOURS), in section order; no painter reads it.
    QList<platform::TColor> ColourTable;
    std::array<platform::TColor, 10> CustomColours{};
};

// The skin's title colour: the Top border's pixel at a third of its width and a third of its first
// cell's height; ButtonFace without a Top image.
platform::TColor TitleColour(const TSkinDescription& description);
