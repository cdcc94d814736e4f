#include "shell/DDEHandler.h"

#include "foundation/Log.h"
#include "foundation/Strings.h"
#include "shell/ShellNames.h"

#include <cstdio>

namespace {

bool LogKeepsErrors()
{
    return !Log.Closed && (Log.Level == 1 || Log.Level == 2 || Log.Level == -1);
}

} // namespace

TDDEHandler::TDDEHandler(const QString& service)
    : Conversation(
          service, QLatin1String(MacrosTopic), [this](const QStringList& lines) { ExecuteMacro(lines); },
          [](const QString& reason) { LogDdeRefusal(reason); })
{
}

bool TDDEHandler::Listen()
{
    QString error;
    if (Conversation.Listen(&error))
        return true;
    std::fprintf(stderr, "The DDE server does not run: %s\n", qPrintable(error));
    return false;
}

void TDDEHandler::ExecuteMacro(const QStringList& lines)
{
    for (const QString& line : lines)
        SplitMacros(line);
    // In the editor nobody ever takes them: the oldest go.
    if (const qsizetype excess = Pending.size() - MaxPending; excess > 0) {
        Pending.erase(Pending.begin(), Pending.begin() + excess);
        WriteLog(1, 1, 15, -1, -1, QStringLiteral("DDE macros dropped: %1 waiting longest").arg(excess));
    }
    Dispatch();
}

void TDDEHandler::SplitMacros(const QString& line)
{
    QString text = line;
    for (qsizetype at = text.indexOf(QLatin1String("][")); at >= 0; at = text.indexOf(QLatin1String("]["))) {
        if (const QString macro = TrimBlanks(text.left(at + 1)); !macro.isEmpty())
            Pending.append(macro);
        text.remove(0, at + 1);
    }
    // An empty line holds no macro: nothing to hand over.
    if (const QString macro = TrimBlanks(text); !macro.isEmpty())
        Pending.append(macro);
}

void TDDEHandler::Dispatch()
{
    if (!OnMacros || Pending.isEmpty())
        return;
    OnMacros(this, Pending);
    Pending.clear();
}

void TDDEHandler::SetHandler(MacroHandler handler)
{
    OnMacros = std::move(handler);
    Dispatch();
}

QString TDDEHandler::ConversationName() const
{
    return Conversation.Topic();
}

void SetDDEMacroHandler(TDDEHandler::MacroHandler handler)
{
    if (DDEHandler)
        DDEHandler->SetHandler(std::move(handler));
}

void LogDdeRefusal(const QString& reason)
{
    WriteLog(1, 1, 15, -1, -1, QStringLiteral("DDE request refused: ") + reason);
    if (!LogKeepsErrors())
        std::fprintf(stderr, "DDE request refused: %s\n", qPrintable(reason));
}
