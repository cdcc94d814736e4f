// The skin's description: which image each object takes, its edges and cell counts, the caption
// buttons' places and the colours.
#include "Parts.h"

namespace mkskin {

QString Description()
{
    QString ini =
        "[TitlebarSkin]\r\nSkinName=Sonvela\r\n\r\n[Personality]\r\n"
        "Top=top.bmp\r\nTopFrame=2\r\nTopStretch=1\r\nTopTrans=1\r\nTopTopHeight=12\r\nTopBotHeight=12\r\n"
        "Left=left.bmp\r\nLeftFrame=2\r\nLeftTrans=0\r\nLeftTopHeight=8\r\nLeftBotHeight=8\r\n"
        "Right=right.bmp\r\nRightFrame=2\r\nRightTrans=0\r\nRightTopHeight=8\r\nRightBotHeight=8\r\n"
        "Bottom=bottom.bmp\r\nBottomFrame=2\r\nBottomTrans=0\r\n"
        "TextBack=textback.bmp\r\nTextShift=26\r\nTextShiftVert=0\r\nTextRightClip=76\r\n"
        "TextAlignment=0\r\nTXTBackleft=6\r\nTXTBackRight=6\r\n"
        "menuBar=menubar.bmp\r\nTileMenu=0\r\nTileLeftMenu=4\r\nTileRightMenu=4\r\n\r\n"
        "[Fonts]\r\nFontHeight=14\r\n\r\n"
        "[Colours]\r\nTitleTextActive=255,255,255\r\nTitleTextNoActive=228,232,240\r\n"
        "ButtonFace=212,208,200\r\nButtonShadow=120,132,156\r\nHilightText=255,255,255\r\n"
        "MenuBarText=16,40,90\r\n\r\n"
        "[MenuItem]\r\nImage=menuitem.bmp\r\nLeftWidth=4\r\nTopHeight=4\r\nRightWidth=4\r\n"
        "BottomHeight=4\r\nTrans=1\r\n\r\n"
        "[MenuBackground]\r\nImage=menubackground.bmp\r\nLeftWidth=3\r\nTopHeight=3\r\nRightWidth=3\r\n"
        "BottomHeight=3\r\n\r\n"
        "[Buttons]\r\nBitmap=button.bmp\r\nLeftWidth=4\r\nTopHeight=4\r\nRightWidth=4\r\nBottomHeight=4\r\n"
        "Trans=1\r\nCheckButton=check.bmp\r\nRadioButton=radio.bmp\r\nCheckButtonFrame=4\r\n"
        "RadioButtonFrame=4\r\nNormalColour2=16,40,90\r\nMouseOverColour2=24,62,132\r\n"
        "PressedColour2=255,255,255\r\n\r\n"
        "[Tabs]\r\nImage=tabs.bmp\r\nBorder=pane.bmp\r\nStyle=0\r\nLeftWidth=4\r\nTopHeight=4\r\n"
        "RightWidth=4\r\nBottomHeight=0\r\nTrans=1\r\nNormalColour2=40,52,80\r\nMouseOverColour2=16,40,"
        "90\r\n\r\n"
        "[StatusBarEdges]\r\nImage=pane.bmp\r\nNormalColour2=16,40,90\r\n\r\n"
        "[Scrollbar]\r\nImage=scrollbar.bmp\r\nTrans=1\r\n\r\n"
        "[HorzScroll]\r\nImage=horzscroll.bmp\r\nLeftWidth=1\r\nRightWidth=1\r\nTopHeight=1\r\n"
        "BottomHeight=1\r\n\r\n"
        "[VertScroll]\r\nImage=vertscroll.bmp\r\nLeftWidth=1\r\nRightWidth=1\r\nTopHeight=1\r\n"
        "BottomHeight=1\r\n\r\n"
        "[HorzScrollThumb]\r\nImage=horzthumb.bmp\r\nFrameCount=3\r\nTrans=1\r\nLeftWidth=4\r\n"
        "RightWidth=4\r\nTopHeight=4\r\nBottomHeight=4\r\n\r\n"
        "[VertScrollThumb]\r\nImage=vertthumb.bmp\r\nFrameCount=3\r\nTrans=1\r\nLeftWidth=4\r\n"
        "RightWidth=4\r\nTopHeight=4\r\nBottomHeight=4\r\n\r\n"
        "[Headerbar]\r\nImage=header.bmp\r\nLeftWidth=2\r\nRightWidth=2\r\nTopHeight=2\r\n"
        "BottomHeight=2\r\n\r\n"
        "[SunkEdge]\r\nImage=sunkedge.bmp\r\nLeftWidth=2\r\nRightWidth=2\r\nTopHeight=2\r\n"
        "BottomHeight=2\r\n\r\n"
        "[ComboButton]\r\nImage=combobutton.bmp\r\nLeftWidth=2\r\nRightWidth=2\r\nTopHeight=2\r\n"
        "BottomHeight=2\r\n\r\n"
        "[ExtraImages]\r\nImage=extra.bmp\r\n\r\n"
        "[Progress]\r\nBitmap=progress.bmp\r\nLeftWidth=2\r\nRightWidth=2\r\nTopHeight=2\r\n"
        "BottomHeight=2\r\n\r\n"
        "[UpDown.Vert]\r\nImage=updown.bmp\r\nGlyphImage=updownglyph.bmp\r\n\r\n"
        "[UpDown.Horz]\r\nImage=updown.bmp\r\nGlyphImage=updownhorzglyph.bmp\r\n\r\n"
        "[Trackbar.ThumbHorz]\r\nImage=thumbhorz.bmp\r\n\r\n"
        "[Trackbar.ThumbVert]\r\nImage=thumbvert.bmp\r\n\r\n";
    struct Button {
        const char* section;
        int action;
        int x;
        const char* file;
    };
    for (const Button& b : {Button{"ButtonClose", 0, 24, "close.bmp"}, Button{"ButtonMax", 1, 44, "max.bmp"},
                            Button{"ButtonMin", 2, 64, "min.bmp"}})
        ini +=
            QStringLiteral(
                "[%1]\r\nAction=%2\r\nAlign=1\r\nXcoord=%3\r\nYcoord=4\r\nframe=3\r\nButtonImage=%4\r\n\r\n")
                .arg(b.section)
                .arg(b.action)
                .arg(b.x)
                .arg(b.file);
    ini += "[ButtonIcon]\r\nAction=3\r\nAlign=0\r\nXcoord=6\r\nYcoord=5\r\nframe=0\r\n\r\n";
    return ini;
}

} // namespace mkskin
