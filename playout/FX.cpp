#include "playout/FX.h"

#include "foundation_gui/WindowHelpers.h"
#include "platform/Messages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <array>

TFFX* FFX = nullptr;

namespace {

// The toolkit the window was drawn for has the minimum of a vertical bar at the top: position 0,
// the top, is the loudest.
QSlider* VerticalBar(const char* name, int max, int position, QWidget* parent)
{
    auto* bar = Named(new QSlider(Qt::Vertical, parent), name);
    bar->setRange(0, max);
    bar->setValue(position);
    bar->setInvertedAppearance(true);
    bar->setInvertedControls(true);
    bar->setTickPosition(QSlider::TicksBothSides);
    bar->setTickInterval(max / 2);
    return bar;
}

QLabel* Caption(const char* name, const QString& text, QWidget* parent)
{
    auto* label = Named(new QLabel(text, parent), name);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TFFX::TFFX(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FFX"));
    setWindowTitle(QStringLiteral("FX"));
    // Painted black, with light captions so they read on it.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);
    CreateControls();
    ConnectControls();
    platform::RegisterWindow(this, QStringLiteral("TFFX"));
}

TFFX::~TFFX()
{
    if (FFX == this)
        FFX = nullptr;
}

void TFFX::CreateControls()
{
    TB125 = VerticalBar("TB125", TChannelEffects::BandMax, TChannelEffects::BandNeutral, this);
    TB1000 = VerticalBar("TB1000", TChannelEffects::BandMax, TChannelEffects::BandNeutral, this);
    TB8000 = VerticalBar("TB8000", TChannelEffects::BandMax, TChannelEffects::BandNeutral, this);
    TBReverb = VerticalBar("TBReverb", TChannelEffects::ReverbMax, TChannelEffects::ReverbMax, this);
    Label5 = Caption("Label5", QStringLiteral("0"), this);
    CBRotate = Named(new QCheckBox(QStringLiteral("Rotate"), this), "CBRotate");
    CBEcho = Named(new QCheckBox(QStringLiteral("Echo"), this), "CBEcho");
    CBFlanger = Named(new QCheckBox(QStringLiteral("Flanger"), this), "CBFlanger");
    BDefaults = Named(new QPushButton(QStringLiteral("Defaults"), this), "BDefaults");
    BClose = Named(new QPushButton(QStringLiteral("Close"), this), "BClose");
    LChannel = Caption("LChannel", QStringLiteral("Channel"), this);

    auto* bars = new QGridLayout;
    bars->addWidget(Caption("Label4", QStringLiteral("Equalizer"), this), 0, 0, 1, 3);
    bars->addWidget(Caption("Label6", QStringLiteral("Reverb"), this), 0, 3);
    int column = 0;
    for (QSlider* bar : {TB125, TB1000, TB8000, TBReverb})
        bars->addWidget(bar, 1, column++, Qt::AlignHCenter);
    bars->addWidget(Caption("Label1", QStringLiteral("125"), this), 2, 0);
    bars->addWidget(Caption("Label2", QStringLiteral("1000"), this), 2, 1);
    bars->addWidget(Caption("Label3", QStringLiteral("8000"), this), 2, 2);
    bars->addWidget(Label5, 2, 3);
    auto* boxes = new QHBoxLayout;
    for (QWidget* box : {CBRotate, CBEcho, CBFlanger})
        boxes->addWidget(box);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(LChannel);
    buttons->addStretch(1);
    buttons->addWidget(BDefaults);
    buttons->addWidget(BClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bars);
    layout->addLayout(boxes);
    layout->addLayout(buttons);
}

void TFFX::ConnectControls()
{
    for (int band = 0; band < TChannelEffects::BandCount; ++band)
        connect(Band(band), &QSlider::valueChanged, this,
                [this, band](int position) { effects_.SetBand(band, position); });
    connect(TBReverb, &QSlider::valueChanged, this, &TFFX::TBReverbChange);
    // toggled, not clicked: setting the box in code runs its handler too, as Defaults needs.
    const auto box = [this](QCheckBox* check, TSampleEffect effect) {
        connect(check, &QCheckBox::toggled, this,
                [this, effect](bool on) { effects_.SetSampleEffect(effect, on); });
    };
    box(CBRotate, TSampleEffect::Rotate);
    box(CBEcho, TSampleEffect::Echo);
    box(CBFlanger, TSampleEffect::Flanger);
    connect(BDefaults, &QPushButton::clicked, this, &TFFX::BDefaultsClick);
    connect(BClose, &QPushButton::clicked, this, &QWidget::close);
}

QSlider* TFFX::Band(int band) const
{
    return std::array{TB125, TB1000, TB8000}.at(band);
}

void TFFX::TBReverbChange()
{
    if (effects_.SetReverb(TBReverb->value()))
        Label5->setText(QString::number(TChannelEffects::ReverbMax - TBReverb->value()));
}

void TFFX::BDefaultsClick()
{
    for (int band = 0; band < TChannelEffects::BandCount; ++band) {
        {
            const QSignalBlocker quiet(Band(band));
            Band(band)->setValue(TChannelEffects::BandNeutral);
        }
        effects_.SetBand(band, TChannelEffects::BandNeutral);
    }
    {
        const QSignalBlocker quiet(TBReverb);
        TBReverb->setValue(TChannelEffects::ReverbMax);
    }
    TBReverbChange();
    for (QCheckBox* box : {CBRotate, CBEcho, CBFlanger})
        box->setChecked(false);
}

void TFFX::ShowForChannel(int ch)
{
    LChannel->setText(QStringLiteral("Channel ") + QString::number(ch));
    show();
    effects_.ShowForChannel(ch);
}

void TFFX::showEvent(QShowEvent* event)
{
    effects_.FXShown = true;
    QWidget::showEvent(event);
}

void TFFX::hideEvent(QHideEvent* event)
{
    // Minimised (a hide the system sends) it stays open, and new entries still get the effects.
    if (!event->spontaneous())
        effects_.FXShown = false;
    QWidget::hideEvent(event);
}
