#pragma once
// The names the station's shell association and its DDE conversation share with the desktop client:
// what the registration writes is what the client sends and what the handler serves.
#include <QString>

#include <optional>

// The station program; its DDE service is this name.
inline constexpr char StationProgramName[] = "Sonvelazodu";
inline constexpr char MacrosTopic[] = "Macros";
inline constexpr char FileClassName[] = "Sonvela.File";
inline constexpr char FileClassText[] = "Sonvela File";
inline constexpr char EnqueueVerb[] = "Enqueue in Sonvela";
inline constexpr char OpenMacroTemplate[] = "[Open(\"%1\")]";

// The Open macro that enqueues the file; the caller has refused paths holding a double quote.
inline QString OpenMacro(const QString& path)
{
    return QStringLiteral("[Open(\"") + path + QStringLiteral("\")]");
}

// The path an Open macro carries: the macro begins with "[Open(" and holds two double quotes, and the
// text between them is an absolute path without control characters. Anything else opens nothing.
inline std::optional<QString> OpenMacroPath(const QString& macro)
{
    if (!macro.startsWith(QLatin1String("[Open(")))
        return std::nullopt;
    const qsizetype open = macro.indexOf(QLatin1Char('"'));
    const qsizetype close = open < 0 ? -1 : macro.indexOf(QLatin1Char('"'), open + 1);
    if (close < 0)
        return std::nullopt;
    const QString path = macro.mid(open + 1, close - open - 1);
    if (!path.startsWith(QLatin1Char('/')))
        return std::nullopt;
    for (const QChar c : path)
        if (c.unicode() < 0x20)
            return std::nullopt;
    return path;
}
