#pragma once
// The enumerations several parts of the control library share. Their order is fixed: forms and
// streams keep them by ordinal.

enum TLXAlignment : int {
    agTopLeft,
    agTopCenter,
    agTopRight,
    agCenterLeft,
    agCenter,
    agCenterRight,
    agBottomLeft,
    agBottomCenter,
    agBottomRight
};
enum TLXTextArrange : int {
    taLeft,
    taLeftTop,
    taRight,
    taRightTop,
    taTop,
    taTopLeft,
    taBottom,
    taBottomLeft
};
enum TLXThreeDStyle : int {
    tdNone,
    tdSunken,
    tdRaised,
    tdSunkenShadow,
    tdRaisedShadow,
    tdPColorSunken,
    tdPColorRaised,
    tdShadow,
    tdOutline,
    tdExtrude,
    tdExtrudeEnh
};
enum TLXThreeDOrientation : int { toBottomLeft, toBottomRight, toTopLeft, toTopRight };
enum TLXDisabledStyle : int { dsAuto, dsStandard, ds3d, dsNone };
enum TLXArrowPosition : int { apRightText, apLeftText, apRightGlyph, apLeftGlyph };
enum TLXGradientStyle : int {
    gstHorizontal,
    gstVertical,
    gstSquare,
    gstElliptic,
    gstTopLeft,
    gstTopRight,
    gstBottomLeft,
    gstBottomRight,
    gstTopLeftDiagonal,
    gstTopRightDiagonal
};
enum TLXFillStyle : int { sfNone, sfBrushBitmap, sfBrush, sfBitmap, sfBitmapList, sfGradient };
enum TLXTileMode : int { tmNone, tmCenter, tmStretch, tmTile };
enum TLXShadowStyle : int { hssNone, hssSolid, hssTracing };
enum TLXSavePixelFormat : int { spfDefault, spfMono, spf4bit, spf8bit };
enum TLXUserButtonStyle : int {
    ubsAutoDetect,
    ubsWin31,
    ubsWin40,
    ubsIde,
    ubsIdeFlat,
    ubsFlat,
    ubsFlatUnColored,
    ubsNavigator,
    ubsExplorer,
    ubsExplorerColored,
    ubsIntegrated,
    ubsWinXP,
    ubsWinXPCombo,
    ubsWinXPTool
};
enum TLXBevelStyle : int { bvNone, bvLowered, bvRaised, bvFrameLowered, bvFrameRaised, bvNormal, bvShadow };
enum TLXBorderStyle : int {
    lsNone,
    lsSingle,
    lsLowered,
    lsRaised,
    lsRaisedspb,
    lsLoweredspb,
    lsRaisedExt,
    lsLoweredExt,
    lsFrameInset,
    lsFrameOffset,
    lsWindowBorder,
    lsSingleRaised,
    lsSingleLowered,
    lsDoubleRaised,
    lsDoubleLowered
};
enum TLXPathPrefix : int { ppWindows, ppSystem, ppProgram, ppFixed };
enum TLXIniTarget : int { itIniFile, itRegistry, itAuto };
enum TLXRegRootKey : int {
    rpClassesRoot,
    rpCurrentUser,
    rpLocalMachine,
    rpUsers,
    rpCurrentConfig,
    rpDynData
};
