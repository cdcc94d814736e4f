#include "skin/core/SkinCaptionButtons.h"

#include "skin/core/SkinDescription.h"
#include "skin/core/SkinSource.h"

namespace {

bool IsCaptionButtonSection(const QString& upper)
{
    return upper.startsWith(QStringLiteral("BUTTON")) && upper != QStringLiteral("BUTTON") &&
           upper != QStringLiteral("BUTTONS") && upper != QStringLiteral("BUTTON.RADIO") &&
           upper != QStringLiteral("BUTTON.CHECKBOX");
}

// Frame 0 asks for a guess: 3 cells for an image up to 3.8 times as wide as high, else 6; always 6
// for buttons the skin hides (negative actions).
int GuessedFrames(const QImage& image, int action)
{
    if (image.isNull() || action < 0)
        return 6;
    return static_cast<double>(image.width()) / image.height() <= 3.8 ? 3 : 6;
}

TDataSkinSysButton ReadCaptionButton(const TSkinSource& source, const QString& section, int action)
{
    TDataSkinSysButton button(section.toUpper());
    button.Action = action;
    button.Align = source.Integer(section, QStringLiteral("Align"), 0);
    button.Xcoord = source.Integer(section, QStringLiteral("Xcoord"), 0);
    button.Ycoord = source.Integer(section, QStringLiteral("Ycoord"), 0);
    button.Visibility = source.Integer(section, QStringLiteral("Visibility"), 0);
    button.Visibility1 = source.Integer(section, QStringLiteral("Visibility1"), action == -1 ? -1 : 0);
    button.CombineOp = source.Integer(section, QStringLiteral("CombineOp"), -1);
    button.Image = source.Bitmap(section, QStringLiteral("ButtonImage"));
    const int frames = source.Integer(section, QStringLiteral("frame"), 0);
    if (frames != 0) {
        button.Frames = FrameCount(frames);
        return button;
    }
    button.Frames = GuessedFrames(button.Image, action);
    // A window-icon button left to the guess shows the window's own icon, not an image.
    if (action == sbaWindowMenu || action == sbaWindowIcon)
        button.Image = QImage();
    return button;
}

// The MDI-child buttons, Align 100, in the menu bar: four cells each of the twelve in [MDICONTROLS].
void AppendMdiButtons(const TSkinSource& source, std::vector<TDataSkinSysButton>& buttons)
{
    const QImage image = source.Bitmap(QStringLiteral("MDICONTROLS"), QStringLiteral("Image"));
    const int cellWidth = image.width() / 12;
    const int actions[] = {sbaMdiMinimize, sbaMdiRestore, sbaMdiClose};
    for (int k = 0; k < 3; ++k) {
        TDataSkinSysButton button(QStringLiteral("MDICONTROLS"));
        button.Action = actions[k];
        button.Align = 100;
        button.Visibility = 100;
        button.Visibility1 = 100;
        button.Frames = 4;
        button.Xcoord = (cellWidth + 4) * (3 - k);
        if (cellWidth > 0)
            button.Image = image.copy(cellWidth * 4 * k, 0, cellWidth * 4, image.height());
        buttons.push_back(std::move(button));
    }
}

} // namespace

std::vector<TDataSkinSysButton> ReadCaptionButtons(const TSkinSource& source, const QStringList& sections)
{
    std::vector<TDataSkinSysButton> buttons;
    for (const QString& section : sections) {
        if (!IsCaptionButtonSection(section.toUpper()))
            continue;
        const int action = source.Integer(section, QStringLiteral("Action"), 0);
        // A hidden button (Action -1) stays only where the skin shows it on purpose.
        if (action == -1 && (source.String(section, QStringLiteral("Visibility")).isEmpty() ||
                             source.Integer(section, QStringLiteral("Visibility"), -1) != 0))
            continue;
        buttons.push_back(ReadCaptionButton(source, section, action));
    }
    AppendMdiButtons(source, buttons);
    return buttons;
}
