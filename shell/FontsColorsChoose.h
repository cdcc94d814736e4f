#pragma once
// The fonts-and-colours dialog: for each display role a preview of its font (with the font's colour)
// on its background colour, a font button and a colour button. The previews are loaded from the roles
// at every showing; Ok and Apply copy them back (not the two programation roles, whose pages only
// show them) and the combinations, folders and channel windows repaint with them.
#include "foundation_gui/DisplayRoles.h"
#include "foundation_gui/Language.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QTabWidget;
class TLXButton;

class TFFontsColorsChoose : public QDialog {
    Q_OBJECT
public:
    // Application-modal: show() returns at once and the other windows wait for it to close.
    TFFontsColorsChoose();

    QTabWidget* PC;
    QWidget* TSCombinations;
    QWidget* TSChannels;
    QWidget* TSFolders;
    QWidget* TSProgramation;
    TLXButton* BOk;
    TLXButton* BApply;
    TLanguage LangFontsColorChoose;

    // By role: the preview label ("LChannelsPlaying"), its font button ("BFontChannelsPlaying") and its
    // colour button ("BColorChannelsPlaying").
    std::array<QLabel*, DisplayRoleCount> Previews{};
    std::array<QPushButton*, DisplayRoleCount> FontButtons{};
    std::array<QPushButton*, DisplayRoleCount> ColorButtons{};

    // What a preview shows now.
    const TRoleFont& PreviewFont(DisplayRole role) const { return fonts_[role]; }
    platform::TColor PreviewColor(DisplayRole role) const { return colors_[role]; }

    void FontClick(DisplayRole role);
    void ColorClick(DisplayRole role);
    void BOkClick();
    void Apply();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void LoadPreviews();
    void ShowPreview(DisplayRole role);
    void CopyBack(std::initializer_list<DisplayRole> roles);

    bool FirstShow = true;
    std::array<TRoleFont, DisplayRoleCount> fonts_;
    std::array<platform::TColor, DisplayRoleCount> colors_{};
};

inline TFFontsColorsChoose* FFontsColorsChoose = nullptr;
