#include "playout/MixerReport.h"

#include "playout/AudioMixer.h"

namespace {

QString Indent(int blanks)
{
    return QString(blanks, u' ');
}

QString Hex(uint32_t value)
{
    return QStringLiteral("0x") + QString::number(value, 16).toUpper();
}

void AddControls(const TMixerControls& controls, QStringList& lines)
{
    for (int k = 0; k < controls.Count(); ++k) {
        const platform::MixerControl& control = *controls.Control(k);
        lines.append(Indent(24) + QStringLiteral("Control Number: ") + QString::number(k));
        lines.append(Indent(32) + QStringLiteral("Name: ") + control.name);
        lines.append(Indent(32) + QStringLiteral("Type: ") + Hex(control.type));
        const QString typeName = ControlTypeName(control.type);
        if (!typeName.isEmpty())
            lines.append(Indent(32) + typeName);
    }
}

} // namespace

QString ControlTypeName(uint32_t type)
{
    struct Named {
        uint32_t type;
        const char* name;
    };
    static constexpr Named types[] = {
        {platform::MixerControlMute, "MIXERCONTROL_CONTROLTYPE_MUTE"},
        {platform::MixerControlVolume, "MIXERCONTROL_CONTROLTYPE_VOLUME"},
        {platform::MixerControlMux, "MIXERCONTROL_CONTROLTYPE_MUX"},
        {platform::MixerControlMixer, "MIXERCONTROL_CONTROLTYPE_MIXER"},
    };
    for (const Named& named : types) {
        if (type == named.type)
            return QLatin1String(named.name);
    }
    for (const Named& named : {types[0], types[3], types[2]}) {
        if ((type & named.type) == named.type)
            return QStringLiteral("AND ! ") + QLatin1String(named.name);
    }
    return {};
}

QStringList MixerDeviceReport(const TAudioMixer& mixer)
{
    QStringList lines;
    if (mixer.MixerId() < 0)
        return lines;
    lines.append(QStringLiteral("Device: ") + QString::number(mixer.MixerId()));
    lines.append(Indent(8) + QStringLiteral("Product name: ") + mixer.ProductName());
    lines.append(Indent(8) + QStringLiteral("Number of lines: ") + QString::number(mixer.NumberOfLine()));
    const TMixerDestinations& destinations = mixer.Destinations();
    for (int d = 0; d < destinations.Count(); ++d) {
        const TMixerDestination& destination = *destinations.Item(d);
        lines.append(Indent(8) + QStringLiteral("Destination Number: ") + QString::number(d));
        lines.append(Indent(16) + QStringLiteral("Name: ") + destination.Data.name);
        lines.append(Indent(16) + QStringLiteral("Component Type: ") + Hex(destination.Data.componentType));
        lines.append(Indent(16) + QStringLiteral("Target Name: ") + destination.Data.targetName);
        lines.append(Indent(16) + QStringLiteral("Target Type: ") + Hex(destination.Data.targetType));
        AddControls(destination.Controls, lines);
        for (int c = 0; c < destination.Connections.Count(); ++c) {
            const TMixerConnection& connection = *destination.Connections.Item(c);
            lines.append(Indent(16) + QStringLiteral("Connection Number: ") + QString::number(c));
            lines.append(Indent(24) + QStringLiteral("Name: ") + connection.Data.name);
            lines.append(Indent(24) + QStringLiteral("Component Type: ") +
                         Hex(connection.Data.componentType));
            AddControls(connection.Controls, lines);
        }
    }
    return lines;
}

QStringList MixerReport(TAudioMixer& mixer)
{
    QStringList lines;
    for (int id = 0; id < mixer.MixerCount(); ++id) {
        mixer.SetMixerId(id);
        lines += MixerDeviceReport(mixer);
    }
    return lines;
}
