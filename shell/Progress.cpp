#include "shell/Progress.h"

#include "foundation_gui/WindowHelpers.h"
#include "platform/Messages.h"

#include <QProgressBar>
#include <QVBoxLayout>

TFProgress::TFProgress()
    : QWidget(nullptr,
              Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ProgressBar1(Named(new QProgressBar(this), "ProgressBar1"))
{
    setObjectName(QStringLiteral("FProgress"));
    setWindowTitle(QStringLiteral("Progreso"));
    platform::RegisterWindow(this, QStringLiteral("TFProgress"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProgressBar1);
    resize(320, 60);
}

void TFProgress::showEvent(QShowEvent* event)
{
    CentreOnScreen(this);
    QWidget::showEvent(event);
}
