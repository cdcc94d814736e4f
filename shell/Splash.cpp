#include "shell/Splash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QLabel* Logo(QWidget* parent, const QString& name, const QString& text)
{
    auto* logo = new QLabel(text, parent);
    logo->setObjectName(name);
    logo->setAlignment(Qt::AlignCenter);
    QFont font = logo->font();
    font.setPointSize(22);
    font.setBold(true);
    logo->setFont(font);
    logo->hide();
    return logo;
}

} // namespace

TFSplash::TFSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName("FSplash");
    setFixedSize(328, 93);
    setAutoFillBackground(true);
    setStyleSheet("TFSplash { background: #10204a; } QLabel { color: #f0c040; }");
    ISonvelaLogoZodu = Logo(this, "ISonvelaLogoZodu", "Sonvela Zodu");
    ISonvelaLogoProfessional = Logo(this, "ISonvelaLogoProfessional", "Sonvela Professional");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ISonvelaLogoZodu);
    layout->addWidget(ISonvelaLogoProfessional);
}

void TFSplash::ShowZodu()
{
    ISonvelaLogoZodu->show();
    ISonvelaLogoProfessional->hide();
    ShowCentred();
}

void TFSplash::ShowProfessional()
{
    ISonvelaLogoProfessional->show();
    ISonvelaLogoZodu->hide();
    ShowCentred();
}

void TFSplash::ShowCentred()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - rect().center());
    }
    show();
}
