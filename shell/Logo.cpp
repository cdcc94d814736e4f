#include "shell/Logo.h"

#include "foundation/General.h"
#include "foundation_gui/WindowHelpers.h"
#include "platform/Messages.h"
#include "shell/Pictures.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>

TFLogo::TFLogo()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Image1(Named(new QLabel(this), "Image1"))
{
    setObjectName(QStringLiteral("FLogo"));
    setWindowTitle(QStringLiteral("Logo"));
    platform::RegisterWindow(this, QStringLiteral("TFLogo"));
    Image1->installEventFilter(this);
    SetPicture(BuiltInLogo());
}

void TFLogo::LoadLogo()
{
    if (!QFileInfo(LogoFile).isFile())
        LogoFile = JoinPath(AppDir, QStringLiteral("logo.bmp"));
    QImageReader reader(LogoFile);
    // A file named .bmp may hold another format: the bytes decide.
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (!image.isNull())
        SetPicture(QPixmap::fromImage(image));
}

void TFLogo::showEvent(QShowEvent* event)
{
    if (firstShow_) {
        firstShow_ = false;
        const QString fallback = JoinPath(AppDir, QStringLiteral("logo.bmp"));
        LogoFile = SettingsIni
                       ? SettingsIni->ReadString(QStringLiteral("logo"), QStringLiteral("file"), fallback)
                       : fallback;
        LoadLogo();
    }
    QWidget::showEvent(event);
}

bool TFLogo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1 && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        DragMoveWindow(this);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFLogo::SetPicture(const QPixmap& picture)
{
    Image1->setPixmap(picture);
    Image1->setGeometry(0, 0, picture.width(), picture.height());
    setFixedSize(picture.size());
}
