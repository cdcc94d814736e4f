#pragma once
// The font dialog the operator knows: face, size, bold, italic, underline and strike-out, and the
// font's colour. Qt's own font dialog has no colour, so it sits here beside a colour button.
#include "platform_gui/Color.h"

#include <QDialog>
#include <QFont>

class QFontDialog;
class QPushButton;

namespace platform {

class TFontColorDialog : public QDialog {
    Q_OBJECT
public:
    TFontColorDialog(const QFont& font, TColor color, QWidget* parent = nullptr);

    QFont ChosenFont() const;
    // A plain RGB value.
    TColor ChosenColor() const { return color_; }

private:
    void PickColor();
    void ShowColor();

    QFontDialog* fonts_;
    QPushButton* colorButton_;
    TColor color_;
};

} // namespace platform
