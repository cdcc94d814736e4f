// The folders window's station duty under the emergency key: its message, from any receiver, puts the
// first page's first file on air at once.
#include "foundation/General.h"
#include "foundation/Log.h"
#include "library/Folders.h"
#include "library/TabFolder.h"
#include "platform/Messages.h"
#include "platform_gui/KeyboardHook.h"

#include <dlfcn.h>

namespace {

constexpr int ModuleFolders = 12;
constexpr int EventSosKeyPressed = 105;

void LogKeyLimitation(const QString& text)
{
    WriteLog(1, 1, ModuleFolders, -1, -1, text);
}

} // namespace

void TFFolders::InstallKeyboardHook()
{
    const QString library = AppDir + QStringLiteral("libTastrel.so");
    // Only the program folder's library: an empty folder must not send the loader searching.
    if (!AppDir.isEmpty())
        KeyboardHookLibrary = dlopen(library.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!KeyboardHookLibrary) {
        const char* why = dlerror();
        LogKeyLimitation(QStringLiteral("Emergency key not available: cannot load ") + library +
                         (why ? QStringLiteral(" (") + QString::fromLocal8Bit(why) + ')' : QString()));
        return;
    }
    auto proc = reinterpret_cast<platform::KeyboardHookProc>(dlsym(KeyboardHookLibrary, "KeyboardProc"));
    if (!proc) {
        LogKeyLimitation(QStringLiteral("Emergency key not available: ") + library +
                         QStringLiteral(" has no KeyboardProc"));
        dlclose(KeyboardHookLibrary);
        KeyboardHookLibrary = nullptr;
        return;
    }
    KeyboardHookHandle = std::make_unique<platform::KeyboardHook>(proc, platform::ToolkitDisplayName());
    const auto limited = [](const QString& reason) {
        LogKeyLimitation(
            QStringLiteral("Emergency key not system-wide, it works while a station window has the focus: ") +
            reason);
    };
    KeyboardHookHandle->OnFallBack = limited;
    if (!KeyboardHookHandle->SystemWide())
        limited(KeyboardHookHandle->Limitation());
}

void TFFolders::RemoveKeyboardHook()
{
    KeyboardHookHandle.reset();
    if (KeyboardHookLibrary)
        dlclose(KeyboardHookLibrary);
    KeyboardHookLibrary = nullptr;
}

bool TFFolders::eventFilter(QObject* watched, QEvent* event)
{
    const platform::MessageEvent* message = platform::AsMessage(event);
    if (!message || message->Msg() != platform::WM_SOSKEYPRESSED)
        return QWidget::eventFilter(watched, event);
    WriteLog(2, 0, ModuleFolders, EventSosKeyPressed, -1,
             LangFolders.GetText(QStringLiteral("soskeypressed")));
    PlaySOS(Channel);
    return true;
}

void TFFolders::PlaySOS(const TChannelCalls& channel)
{
    const TTabFolder* page = Page(0);
    if (!page || page->ItemCount() == 0) {
        WriteLog(1, 1, -1, -1, -1, LangFolders.GetText(QStringLiteral("soskeypressed")));
        return;
    }
    const int index = channel.AddItem(page->GetFileData(0)->FileName, 0);
    if (index != -1)
        channel.PlayItemAt(index);
}
