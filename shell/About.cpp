#include "shell/About.h"

#include "foundation_gui/WindowHelpers.h"
#include "platform/Messages.h"
#include "platform_gui/Color.h"
#include "shell/MyAbout.h"
#include "shell/Pictures.h"

#include <QKeyEvent>
#include <QLabel>

namespace {
constexpr platform::TColor AboutColor = 0xC3F8;
constexpr int ReleaseHeight = 20;
} // namespace

bool OpensAuthorWindow(int key, Qt::KeyboardModifiers modifiers)
{
    return key == Qt::Key_A && (modifiers & ~Qt::KeypadModifier) == (Qt::ControlModifier | Qt::AltModifier);
}

TFAbout::TFAbout()
    : QDialog(nullptr,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      IAbout(Named(new QLabel(this), "IAbout")), LRelease(Named(new QLabel(this), "LRelease"))
{
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(QStringLiteral("About of"));
    platform::RegisterWindow(this, QStringLiteral("TFAbout"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, platform::ToQColor(AboutColor));
    setPalette(palette);
    setAutoFillBackground(true);

    const QPixmap picture = AboutPicture();
    IAbout->setPixmap(picture);
    IAbout->setGeometry(0, 0, picture.width(), picture.height());
    setFixedSize(picture.size());

    LRelease->setText(QStringLiteral("Sonvela 1.5"));
    LRelease->setAlignment(Qt::AlignCenter);
    LRelease->setAutoFillBackground(true);
    QPalette release = LRelease->palette();
    release.setColor(QPalette::Window, Qt::black);
    release.setColor(QPalette::WindowText, Qt::white);
    LRelease->setPalette(release);
    LRelease->setGeometry(0, 0, picture.width(), ReleaseHeight);
}

void TFAbout::ShowModal()
{
    ShowModalWindow(this, LRelease->text());
}

void TFAbout::keyPressEvent(QKeyEvent* event)
{
    if (OpensAuthorWindow(event->key(), event->modifiers()) && FMyAbout) {
        FMyAbout->ShowModal();
        return;
    }
    QDialog::keyPressEvent(event);
}
