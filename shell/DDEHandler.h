#pragma once
// The station's DDE side: its conversation "Macros" receives execute requests, splits their lines into
// macros and keeps them until a consumer is connected, then hands every held macro over in one call.
// Only Open macros naming an absolute path of a regular file are kept; whatever is refused is answered
// with its reason, so the client knows. One instance, DDEHandler, from program start (before any window)
// until after the log is closed. GUI thread only.
#include "platform/Dde.h"

#include <QStringList>

#include <functional>

class TDDEHandler {
public:
    using MacroHandler = std::function<void(TDDEHandler* sender, const QStringList& macros)>;

    // What waits for a consumer holds at most as many characters as one request may carry bytes, so
    // the first request a starting station gets always fits; a request that would go past it is
    // refused whole. Once a consumer is connected nothing is capped.
    static constexpr qsizetype MaxPendingCharacters = platform::DdeMaxExecuteBytes;

    // Serves the conversation "Macros" under the service; it listens from Listen on.
    explicit TDDEHandler(const QString& service);

    platform::DdeServer Conversation;
    QStringList Pending;
    MacroHandler OnMacros;

    // False (after a line on stderr) when the conversation cannot be served: the program runs on
    // without it.
    bool Listen();
    // The conversation's execute event: each line split into macros, then the hand-over. Empty when
    // every macro was taken; else why some or all were not.
    QString ExecuteMacro(const QStringList& lines);
    // The macros of a line: split at each "][" outside double quotes, each trimmed of blanks and
    // control characters; empty ones dropped.
    static QStringList SplitMacros(const QString& line);
    // Hands Pending to OnMacros when both exist, then clears it.
    void Dispatch();
    // Connects the consumer and hands over what was received before.
    void SetHandler(MacroHandler handler);
    QString ConversationName() const;
};

inline TDDEHandler* DDEHandler = nullptr;

// DDEHandler's SetHandler; the settings window connects its consumer at the end of its first showing.
void SetDDEMacroHandler(TDDEHandler::MacroHandler handler);

// A refused DDE request or macro as a log line (error, settings window), its control characters
// escaped; on stderr too while the log keeps nothing (before the settings are loaded).
void LogDdeRefusal(const QString& reason);
