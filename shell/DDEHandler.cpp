#include "shell/DDEHandler.h"

#include "foundation/Log.h"
#include "foundation/Strings.h"
#include "platform/RegularFile.h"
#include "platform/Text.h"
#include "shell/ShellNames.h"

#include <QFile>

#include <cstdio>
#include <utility>

namespace {

// A refused macro is named in the answer and the log up to this length.
constexpr qsizetype RefusedMacroShown = 100;

// Refused macros of one kind: how many, and the first, as the answer names them.
class Refusals {
public:
    explicit Refusals(const char* what) : what_(what) {}

    void Add(const QString& text)
    {
        if (count_++ == 0)
            first_ = text.left(RefusedMacroShown);
    }
    void Report(QStringList& reasons) const
    {
        if (count_ > 0)
            reasons.append(
                QStringLiteral("%1 %2, the first: %3").arg(count_).arg(QLatin1String(what_), first_));
    }

private:
    const char* what_;
    qsizetype count_ = 0;
    QString first_;
};

bool LogKeepsErrors()
{
    return !Log.Closed && (Log.Level == 1 || Log.Level == 2 || Log.Level == -1);
}

} // namespace

TDDEHandler::TDDEHandler(const QString& service)
    : Conversation(
          service, QLatin1String(MacrosTopic),
          [this](const QStringList& lines) { return ExecuteMacro(lines); },
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

QString TDDEHandler::ExecuteMacro(const QStringList& lines)
{
    QStringList macros;
    qsizetype characters = 0;
    Refusals notOpen{"macro(s) that open no file"};
    Refusals notFile{"file(s) missing or not regular files"};
    for (const QString& line : lines) {
        for (const QString& macro : SplitMacros(line)) {
            if (const std::optional<QString> path = OpenMacroPath(macro); !path) {
                notOpen.Add(macro);
            } else if (!platform::IsRegularFile(QFile::encodeName(*path).constData())) {
                notFile.Add(*path);
            } else {
                macros.append(macro);
                characters += macro.size();
            }
        }
    }
    QStringList reasons;
    notOpen.Report(reasons);
    notFile.Report(reasons);
    if (!OnMacros && !macros.isEmpty()) {
        qsizetype waiting = 0;
        for (const QString& macro : std::as_const(Pending))
            waiting += macro.size();
        if (waiting + characters > MaxPendingCharacters) {
            reasons.append(
                QStringLiteral("%1 file(s) not queued: %2 file(s) already wait for the station to start")
                    .arg(macros.size())
                    .arg(Pending.size()));
            macros.clear();
        }
    }
    Pending += macros;
    Dispatch();
    return reasons.join(QStringLiteral("; "));
}

QStringList TDDEHandler::SplitMacros(const QString& line)
{
    QStringList macros;
    const auto keep = [&macros](const QString& text) {
        if (QString macro = TrimBlanks(text); !macro.isEmpty())
            macros.append(std::move(macro));
    };
    // A file's name may hold "][": only a separator outside the quoted path splits.
    qsizetype start = 0;
    bool quoted = false;
    for (qsizetype i = 0; i + 1 < line.size(); ++i) {
        if (line[i] == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (!quoted && line[i] == QLatin1Char(']') && line[i + 1] == QLatin1Char('[')) {
            keep(line.mid(start, i + 1 - start));
            start = i + 1;
        }
    }
    keep(line.mid(start));
    return macros;
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
    const QString line = platform::EscapeControls(reason);
    WriteLog(1, 1, 15, -1, -1, QStringLiteral("DDE request refused: ") + line);
    if (!LogKeepsErrors())
        std::fprintf(stderr, "DDE request refused: %s\n", qPrintable(line));
}
