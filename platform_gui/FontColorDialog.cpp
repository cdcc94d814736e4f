#include "platform_gui/FontColorDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace platform {

TFontColorDialog::TFontColorDialog(const QFont& font, TColor color, QWidget* parent)
    : QDialog(parent), fonts_(new QFontDialog(font, this)), colorButton_(new QPushButton("Color...", this)),
      color_(ColorToRGB(color))
{
    setWindowTitle("Font");
    // Embedded as a plain widget; this dialog's own buttons close it.
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setOptions(QFontDialog::NoButtons);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(colorButton_);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(bottom);
    connect(colorButton_, &QPushButton::clicked, this, &TFontColorDialog::PickColor);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ShowColor();
}

QFont TFontColorDialog::ChosenFont() const
{
    return fonts_->currentFont();
}

void TFontColorDialog::PickColor()
{
    const QColor chosen = QColorDialog::getColor(ToQColor(color_), this);
    if (chosen.isValid()) {
        color_ = FromQColor(chosen);
        ShowColor();
    }
}

void TFontColorDialog::ShowColor()
{
    QPixmap swatch(16, 16);
    swatch.fill(ToQColor(color_));
    colorButton_->setIcon(swatch);
}

} // namespace platform
