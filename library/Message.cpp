#include "library/Message.h"

#include "foundation_gui/WindowHelpers.h"
#include "platform/Messages.h"
#include "platform_gui/Color.h"
#include "platform_gui/Font.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr platform::TColor Maroon = 0x000080;

} // namespace

TFMessage::TFMessage()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      PMensaje(new QLabel(this))
{
    setObjectName(QStringLiteral("FMessage"));
    platform::RegisterWindow(this, QStringLiteral("TFMessage"));
    setModal(false);
    setFixedSize(360, 38);
    PMensaje->setObjectName(QStringLiteral("PMensaje"));
    PMensaje->setAlignment(Qt::AlignCenter);
    PMensaje->setFrameShape(QFrame::Panel);
    PMensaje->setFrameShadow(QFrame::Raised);
    PMensaje->setFont(platform::MakeQFont(QStringLiteral("Courier New"), -13, platform::fsBold));
    QPalette colours = PMensaje->palette();
    colours.setColor(QPalette::WindowText, platform::ToQColor(Maroon));
    PMensaje->setPalette(colours);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PMensaje);
}

void TFMessage::SetText(const QString& text)
{
    PMensaje->setText(text);
}

QString TFMessage::Text() const
{
    return PMensaje->text();
}

void TFMessage::showEvent(QShowEvent* event)
{
    CentreOnScreen(this);
    QDialog::showEvent(event);
}
