#include "platform/AlsaMixerLayout.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

constexpr int32_t VolumeTop = 65535;

uint32_t DestinationLineId(uint32_t destination)
{
    return 0xFFFF0000u | destination;
}

uint32_t SourceLineId(uint32_t destination, uint32_t source)
{
    return (destination << 16) | source;
}

QString ElementLineName(const AlsaElement& element)
{
    QString name = QString::fromStdString(element.name);
    if (element.index > 0)
        name += QLatin1Char(',') + QString::number(element.index);
    return name;
}

class LayoutBuilder {
public:
    explicit LayoutBuilder(const std::vector<AlsaElement>& elements) : elements_(elements) {}

    AlsaMixerLayout Take() { return std::move(layout_); }

    // A destination line with no sources yet; its index in lines.
    size_t AddDestination(uint32_t componentType, const QString& name, uint32_t channels, uint32_t targetType,
                          const QString& targetName)
    {
        MixerLine line;
        line.destination = static_cast<uint32_t>(destinations_.size());
        line.lineId = DestinationLineId(line.destination);
        line.componentType = componentType;
        line.channels = channels;
        line.shortName = name;
        line.name = name;
        line.targetType = targetType;
        line.targetName = targetName;
        destinations_.push_back(line);
        return destinations_.size() - 1;
    }

    void AddSource(size_t destination, size_t element, bool mono)
    {
        MixerLine& owner = destinations_[destination];
        MixerLine line;
        line.destination = owner.destination;
        line.source = owner.connections++;
        line.lineId = SourceLineId(line.destination, line.source);
        line.componentType = ComponentTypeOfElement(elements_[element].name);
        line.channels = mono ? 1 : 2;
        line.shortName = ElementLineName(elements_[element]);
        line.name = line.shortName;
        sources_.push_back(line);
    }

    MixerLine& DestinationAt(size_t index) { return destinations_[index]; }

    // Every element with a volume or a switch on this side, but skip, becomes a connection of the
    // destination with those controls.
    void AddConnections(size_t destination, bool playback, size_t skip)
    {
        for (size_t i = 0; i < elements_.size(); ++i) {
            const AlsaElement& element = elements_[i];
            const bool volume = playback ? element.playbackVolume : element.captureVolume;
            const bool mute = playback ? element.playbackSwitch : element.captureSwitch;
            if (i == skip || !(volume || mute))
                continue;
            AddSource(destination, i, playback ? element.playbackMono : element.captureMono);
            AddLevelControls(sources_.back(), i, playback, volume, mute);
        }
    }

    void AddLevelControls(MixerLine& line, size_t element, bool playback, bool volume, bool mute)
    {
        if (volume)
            AddLevelControl(line, element,
                            playback ? AlsaBinding::PlaybackVolume : AlsaBinding::CaptureVolume);
        if (mute)
            AddLevelControl(line, element, playback ? AlsaBinding::PlaybackMute : AlsaBinding::CaptureMute);
    }

    // A VOLUME (per channel) or MUTE (uniform) control of a line.
    void AddLevelControl(MixerLine& line, size_t element, AlsaBinding binding)
    {
        const bool volume = binding == AlsaBinding::PlaybackVolume || binding == AlsaBinding::CaptureVolume;
        AlsaControl control;
        control.control.type = volume ? MixerControlVolume : MixerControlMute;
        control.control.flags = volume ? 0 : MixerControlUniform;
        control.control.channels = volume ? line.channels : 1;
        control.control.shortName = volume ? QStringLiteral("Volume") : QStringLiteral("Mute");
        control.control.name = control.control.shortName;
        control.control.maximum = volume ? VolumeTop : 1;
        Add(line, element, binding, std::move(control));
    }

    void AddCaptureSource(MixerLine& line, size_t element)
    {
        const AlsaElement& source = elements_[element];
        AlsaControl control;
        control.control.type = MixerControlMux;
        control.control.flags = MixerControlUniform | MixerControlMultiple;
        control.control.items = static_cast<uint32_t>(source.items.size());
        control.control.shortName = QString::fromStdString(source.name);
        control.control.name = control.control.shortName;
        control.control.maximum = 1;
        // Each item stands for the capture connection of the same name.
        for (const std::string& item : source.items) {
            MixerItem entry;
            entry.name = QString::fromStdString(item);
            for (const MixerLine& connection : sources_) {
                if (connection.destination == line.destination && connection.name == entry.name) {
                    entry.lineId = connection.lineId;
                    break;
                }
            }
            control.items.push_back(entry);
        }
        Add(line, element, AlsaBinding::CaptureSource, std::move(control));
    }

    void Finish()
    {
        layout_.lines = destinations_;
        layout_.lines.insert(layout_.lines.end(), sources_.begin(), sources_.end());
        for (MixerLine& line : layout_.lines) {
            line.controls = static_cast<uint32_t>(
                std::count_if(layout_.controls.begin(), layout_.controls.end(),
                              [&](const AlsaControl& control) { return control.lineId == line.lineId; }));
        }
    }

private:
    void Add(const MixerLine& line, size_t element, AlsaBinding binding, AlsaControl control)
    {
        control.control.controlId = static_cast<uint32_t>(layout_.controls.size() + 1);
        if (!elements_[element].active)
            control.control.flags |= MixerControlDisabled;
        control.lineId = line.lineId;
        control.element = element;
        control.binding = binding;
        layout_.controls.push_back(std::move(control));
    }

    const std::vector<AlsaElement>& elements_;
    std::vector<MixerLine> destinations_;
    std::vector<MixerLine> sources_;
    AlsaMixerLayout layout_;
};

} // namespace

uint32_t AlsaMixerLayout::DestinationCount() const
{
    return static_cast<uint32_t>(std::count_if(lines.begin(), lines.end(), [](const MixerLine& line) {
        return line.lineId == DestinationLineId(line.destination);
    }));
}

const MixerLine* AlsaMixerLayout::Destination(uint32_t destination) const
{
    return Line(DestinationLineId(destination));
}

const MixerLine* AlsaMixerLayout::Source(uint32_t destination, uint32_t source) const
{
    if (destination > 0xFFFF || source > 0xFFFF)
        return nullptr;
    return Line(SourceLineId(destination, source));
}

const MixerLine* AlsaMixerLayout::Line(uint32_t lineId) const
{
    const auto found = std::find_if(lines.begin(), lines.end(),
                                    [&](const MixerLine& line) { return line.lineId == lineId; });
    return found != lines.end() ? &*found : nullptr;
}

const AlsaControl* AlsaMixerLayout::Control(uint32_t controlId) const
{
    if (controlId == 0 || controlId > controls.size())
        return nullptr;
    return &controls[controlId - 1];
}

std::vector<const AlsaControl*> AlsaMixerLayout::ControlsOf(uint32_t lineId) const
{
    std::vector<const AlsaControl*> found;
    for (const AlsaControl& control : controls) {
        if (control.lineId == lineId)
            found.push_back(&control);
    }
    return found;
}

bool IsCaptureSourceName(const std::string& name)
{
    return name == "Capture Source" || name == "Input Source";
}

uint32_t ComponentTypeOfElement(const std::string& name)
{
    static const std::pair<const char*, uint32_t> types[] = {
        {"Line", MixerSourceLine},   {"Mic", MixerSourceMicrophone}, {"CD", MixerSourceCompactDisc},
        {"PCM", MixerSourceWaveOut}, {"Aux", MixerSourceAuxiliary},
    };
    for (const auto& [elementName, type] : types) {
        if (name == elementName)
            return type;
    }
    return MixerSourceUndefined;
}

AlsaMixerLayout BuildAlsaMixerLayout(const std::vector<AlsaElement>& elements, const QString& deviceName)
{
    LayoutBuilder builder(elements);
    const auto master = std::find_if(elements.begin(), elements.end(), [](const AlsaElement& element) {
        return element.name == "Master" && element.index == 0 &&
               (element.playbackVolume || element.playbackSwitch);
    });
    const size_t masterIndex = static_cast<size_t>(master - elements.begin());
    const bool masterMono = master != elements.end() && master->playbackMono;

    const size_t playback = builder.AddDestination(MixerLineSpeakers, QStringLiteral("Playback"),
                                                   masterMono ? 1 : 2, MixerTargetWaveOut, deviceName);
    if (master != elements.end())
        builder.AddLevelControls(builder.DestinationAt(playback), masterIndex, true, master->playbackVolume,
                                 master->playbackSwitch);
    builder.AddConnections(playback, true, masterIndex);

    const auto source = std::find_if(elements.begin(), elements.end(), [](const AlsaElement& element) {
        return element.captureSource && !element.items.empty();
    });
    const bool recordsAnything =
        source != elements.end() ||
        std::any_of(elements.begin(), elements.end(), [](const AlsaElement& element) {
            return element.captureVolume || element.captureSwitch;
        });
    if (recordsAnything) {
        const size_t capture = builder.AddDestination(MixerLineWaveIn, QStringLiteral("Capture"), 2,
                                                      MixerTargetWaveIn, deviceName);
        builder.AddConnections(capture, false, elements.size());
        if (source != elements.end())
            builder.AddCaptureSource(builder.DestinationAt(capture),
                                     static_cast<size_t>(source - elements.begin()));
    }
    builder.Finish();
    return builder.Take();
}

int32_t ToMixerVolume(long raw, long minimum, long maximum)
{
    if (maximum <= minimum)
        return 0;
    const long clamped = std::clamp(raw, minimum, maximum);
    return static_cast<int32_t>(std::lround(static_cast<double>(clamped - minimum) * VolumeTop /
                                            static_cast<double>(maximum - minimum)));
}

long FromMixerVolume(int32_t value, long minimum, long maximum)
{
    if (maximum <= minimum)
        return minimum;
    const int32_t clamped = std::clamp(value, 0, VolumeTop);
    return minimum +
           std::lround(static_cast<double>(clamped) * static_cast<double>(maximum - minimum) / VolumeTop);
}

} // namespace platform
