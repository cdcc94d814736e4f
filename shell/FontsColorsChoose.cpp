#include "shell/FontsColorsChoose.h"

#include "controls/LXButton.h"
#include "foundation/General.h"
#include "foundation/Options.h"
#include "foundation_gui/WindowHelpers.h"
#include "library/Combinations.h"
#include "library/Folders.h"
#include "platform/Messages.h"
#include "platform_gui/Dialogs.h"
#include "playout/Channel1.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

struct RoleRow {
    DisplayRole role;
    const char* name; // of the preview after "L", of the buttons after "BFont" and "BColor"
    const char* fontCaption;
};

struct Page {
    const char* name;
    const char* caption;
    std::initializer_list<RoleRow> rows;
};

const Page Pages[] = {
    {"TSCombinations",
     "Combinations",
     {{RoleCombinations, "Combinations", "Theme"},
      {RoleCombinationsCopied, "CombinationsCopied", "Copied"},
      {RoleCombinationsCut, "CombinationsCut", "Cut"},
      {RoleCombinationsSelected, "CombinationsSelected", "Selected"},
      {RoleCombinationsInfo, "CombinationsInfo", "Info"}}},
    {"TSChannels",
     "Channels",
     {{RoleChannels, "Channels", "Theme"},
      {RoleChannelsSelected, "ChannelsSelected", "Selected"},
      {RoleChannelsPlaying, "ChannelsPlaying", "Playing"},
      {RoleChannelsInfo, "ChannelsInfo", "Info"}}},
    {"TSFolders",
     "Folders",
     {{RoleFolders, "Folders", "Theme"},
      {RoleFoldersCopied, "FoldersCopied", "Copied"},
      {RoleFoldersCut, "FoldersCut", "Cut"},
      {RoleFoldersSelected, "FoldersSelected", "Selected"},
      {RoleFoldersInfo, "FoldersInfo", "Info"}}},
    {"TSProgramation",
     "Programation",
     {{RoleProgramation, "Programation", "Theme"},
      {RoleProgramationSelected, "ProgramationSelected", "Selected"}}},
};

// The font dialog's terms: size in points and the style as flags.
QFont DialogFont(const TRoleFont& font)
{
    QFont qfont(font.Name);
    qfont.setPointSize(std::max(font.Size, 1));
    qfont.setBold((font.Style & StyleBold) != 0);
    qfont.setItalic((font.Style & StyleItalic) != 0);
    qfont.setUnderline((font.Style & StyleUnderline) != 0);
    qfont.setStrikeOut((font.Style & StyleStrikeOut) != 0);
    return qfont;
}

int StyleOf(const QFont& font)
{
    return (font.bold() ? StyleBold : 0) | (font.italic() ? StyleItalic : 0) |
           (font.underline() ? StyleUnderline : 0) | (font.strikeOut() ? StyleStrikeOut : 0);
}

QPushButton* PlainButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TFFontsColorsChoose::TFFontsColorsChoose() : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName("FFontsColorsChoose");
    setWindowTitle("Fonts");
    setWindowModality(Qt::ApplicationModal);
    platform::RegisterWindow(this, "TFFontsColorsChoose");

    PC = Named(new QTabWidget(this), "PC");
    QWidget** pageFields[] = {&TSCombinations, &TSChannels, &TSFolders, &TSProgramation};
    const QString window = objectName() + '.';
    for (size_t p = 0; p < std::size(Pages); ++p) {
        const Page& page = Pages[p];
        auto* sheet = Named(new QWidget(PC), page.name);
        *pageFields[p] = sheet;
        PC->addTab(sheet, QLatin1String(page.caption));
        LangFontsColorChoose.Properties.append(window + page.name + ".Caption");
        auto* grid = new QGridLayout(sheet);
        int row = 0;
        for (const RoleRow& role : page.rows) {
            const QString suffix = QLatin1String(role.name);
            auto* preview = new QLabel("Example of font", sheet);
            preview->setObjectName("L" + suffix);
            preview->setAutoFillBackground(true);
            preview->setMinimumWidth(220);
            Previews[role.role] = preview;
            FontButtons[role.role] = PlainButton(sheet, "BFont" + suffix, QLatin1String(role.fontCaption));
            ColorButtons[role.role] = PlainButton(sheet, "BColor" + suffix, "Color");
            grid->addWidget(preview, row, 0);
            grid->addWidget(FontButtons[role.role], row, 1);
            grid->addWidget(ColorButtons[role.role], row, 2);
            ++row;
            for (const QString& name : {"L" + suffix, "BFont" + suffix, "BColor" + suffix})
                LangFontsColorChoose.Properties.append(window + name + ".Caption");
            connect(FontButtons[role.role], &QPushButton::clicked, this,
                    [this, r = role.role] { FontClick(r); });
            connect(ColorButtons[role.role], &QPushButton::clicked, this,
                    [this, r = role.role] { ColorClick(r); });
        }
        grid->setRowStretch(row, 1);
    }

    auto* bottom = Named(new QWidget(this), "PBottom");
    BOk = Named(new TLXButton(bottom), "BOk");
    BOk->SetCaption("Ok");
    BApply = Named(new TLXButton(bottom), "BApply");
    BApply->SetCaption("Apply");
    auto* buttons = new QHBoxLayout(bottom);
    buttons->addStretch();
    buttons->addWidget(BOk);
    buttons->addWidget(BApply);
    for (const char* name : {"BOk", "BApply"})
        LangFontsColorChoose.Properties.append(window + name + ".Caption");
    connect(BOk, &TLXButton::OnClick, this, &TFFontsColorsChoose::BOkClick);
    connect(BApply, &TLXButton::OnClick, this, &TFFontsColorsChoose::Apply);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PC);
    layout->addWidget(bottom);
    CloseOnEscape(this);
}

void TFFontsColorsChoose::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) // the window system showing it again, not a new showing
        return;
    if (FirstShow) {
        FirstShow = false;
        PC->setCurrentIndex(0);
        LangFontsColorChoose.LanguageFile = AppDir + StationOptions.Language + ".lng";
        LangFontsColorChoose.Translate();
        setWindowTitle(MainTitle + " - " + LangFontsColorChoose.GetText("fonts"));
    }
    LoadPreviews();
}

void TFFontsColorsChoose::LoadPreviews()
{
    for (int role = 0; role < DisplayRoleCount; ++role) {
        fonts_[role] = RoleFonts[role];
        colors_[role] = RoleColors[role];
        ShowPreview(static_cast<DisplayRole>(role));
    }
}

void TFFontsColorsChoose::ShowPreview(DisplayRole role)
{
    QLabel* preview = Previews[role];
    preview->setFont(ToQFont(fonts_[role]));
    QPalette palette = preview->palette();
    palette.setColor(QPalette::WindowText, platform::ToQColor(fonts_[role].Color));
    palette.setColor(QPalette::Window, platform::ToQColor(colors_[role]));
    preview->setPalette(palette);
}

void TFFontsColorsChoose::FontClick(DisplayRole role)
{
    QFont font = DialogFont(fonts_[role]);
    platform::TColor color = fonts_[role].Color;
    if (!platform::ChooseFont(font, color))
        return;
    TRoleFont& chosen = fonts_[role]; // the character set stays: the file keeps round-tripping
    chosen.Name = font.family();
    chosen.Size = font.pointSize();
    chosen.Style = StyleOf(font);
    chosen.Color = color;
    ShowPreview(role);
}

void TFFontsColorsChoose::ColorClick(DisplayRole role)
{
    if (platform::ChooseColor(colors_[role]))
        ShowPreview(role);
}

void TFFontsColorsChoose::BOkClick()
{
    Apply();
    accept();
}

void TFFontsColorsChoose::CopyBack(std::initializer_list<DisplayRole> roles)
{
    for (DisplayRole role : roles)
        RoleFonts[role] = fonts_[role];
    for (DisplayRole role : roles)
        RoleColors[role] = colors_[role];
}

void TFFontsColorsChoose::Apply()
{
    CopyBack({RoleCombinations, RoleCombinationsCopied, RoleCombinationsCut, RoleCombinationsSelected,
              RoleCombinationsInfo});
    if (FCombinations != nullptr)
        FCombinations->ApplyColors();
    CopyBack({RoleFolders, RoleFoldersSelected, RoleFoldersCopied, RoleFoldersCut, RoleFoldersInfo});
    if (FFolders != nullptr)
        FFolders->ApplyFonts();
    CopyBack({RoleChannels, RoleChannelsSelected, RoleChannelsPlaying, RoleChannelsInfo});
    if (FChannel1 != nullptr)
        FChannel1->ApplyListFonts();
}
