#include "foundation_gui/FormPosition.h"

#include "foundation/SettingsWriter.h"
#include "platform_gui/WindowFrame.h"

#include <QWidget>

void SaveFormPosition(SettingsWriter& writer, const QWidget& window, const QString& section)
{
    writer.WriteInteger(section, "left", window.x());
    writer.WriteInteger(section, "top", window.y());
    // The client area without a skin's frame, so a place saved skinned restores the same unskinned.
    const QSize client = platform::ClientSize(&window);
    writer.WriteInteger(section, "width", client.width());
    writer.WriteInteger(section, "height", client.height());
    writer.WriteBool(section, "visible", window.isVisible());
}

void RestoreFormPosition(int mode, const platform::IniFile& ini, QWidget& window, const QString& section)
{
    // Reads never fail: a key that is missing or not a number gives its default.
    const QRect frame = window.frameGeometry();
    const int left = ini.ReadInteger(section, "left", frame.left());
    const int top = ini.ReadInteger(section, "top", frame.top());
    const int width = ini.ReadInteger(section, "width", frame.width());
    const int height = ini.ReadInteger(section, "height", frame.height());
    window.move(left, top);
    if (mode == 1)
        platform::SetClientSize(&window, QSize(width, height));
    window.setVisible(ini.ReadBool(section, "visible", true));
}
