// The folders window's station duty under the emergency key: its message, from any receiver, puts the
// first page's first file on air at once.
#include "foundation/General.h"
#include "foundation/Log.h"
#include "library/Folders.h"
#include "library/TabFolder.h"
#include "platform/Messages.h"
#include "platform_gui/KeyboardHook.h"
#include "platform_gui/KeyboardHookLibrary.h"

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
    auto loaded = AppDir.isEmpty() ? nullptr : std::make_unique<platform::KeyboardHookLibrary>(library);
    if (!loaded || !loaded->Loaded()) {
        const QString why = loaded ? loaded->LoadError() : QString();
        LogKeyLimitation(QStringLiteral("Emergency key not available: cannot load ") + library +
                         (why.isEmpty() ? QString() : QStringLiteral(" (") + why + ')'));
        return;
    }
    if (!loaded->Proc()) {
        LogKeyLimitation(QStringLiteral("Emergency key not available: ") + library +
                         QStringLiteral(" has no KeyboardProc"));
        return;
    }
    KeyboardHookLibrary = std::move(loaded);
    KeyboardHookHandle =
        std::make_unique<platform::KeyboardHook>(KeyboardHookLibrary->Proc(), platform::ToolkitDisplayName());
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
    KeyboardHookLibrary.reset();
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
