#pragma once
// The station's DDE side: its conversation "Macros" receives execute requests, splits their lines into
// macros and keeps them until a consumer is connected, then hands every held macro over in one call.
// One instance, DDEHandler, from program start (before any window) until after the log is closed.
// GUI thread only.
#include "platform/Dde.h"

#include <QStringList>

#include <functional>

class TDDEHandler {
public:
    using MacroHandler = std::function<void(TDDEHandler* sender, const QStringList& macros)>;

    // At most this many macros wait; older ones are dropped.
    static constexpr qsizetype MaxPending = 1000;

    // Serves the conversation "Macros" under the service; it listens from Listen on.
    explicit TDDEHandler(const QString& service);

    platform::DdeServer Conversation;
    QStringList Pending;
    MacroHandler OnMacros;

    // False (after a line on stderr) when the conversation cannot be served: the program runs on
    // without it.
    bool Listen();
    // The conversation's execute event: each line split into macros, then the hand-over.
    void ExecuteMacro(const QStringList& lines);
    // Splits a line at each "][", trimming blanks and control characters around each macro.
    void SplitMacros(const QString& line);
    // Hands Pending to OnMacros when both exist, then clears it.
    void Dispatch();
    // Connects the consumer and hands over what was received before.
    void SetHandler(MacroHandler handler);
    QString ConversationName() const;
};

inline TDDEHandler* DDEHandler = nullptr;

// DDEHandler's SetHandler; the settings window connects its consumer at the end of its first showing.
void SetDDEMacroHandler(TDDEHandler::MacroHandler handler);

// A refused DDE request or macro as a log line (error, settings window); on stderr too while the log
// keeps nothing (before the settings are loaded).
void LogDdeRefusal(const QString& reason);
