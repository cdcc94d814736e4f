#pragma once
// A small backtracking regular-expression engine, enough for the queue's line-in entries
// ("^\[LINEIN (\d+) (.+) \]$"). It knows:
//   ^ and $      start and end of the whole input (never around line breaks)
//   .            any one character, CR and LF included
//   \d           one decimal digit 0-9
//   \ + a character that is not a letter or digit: that character itself ("\[", "\]", "\.", "\\")
//   ( ... )      numbered sub-expressions 1..14, in the order of their opening brackets
//   X+           one or more X, greedy, giving back one at a time when the rest fails
//   any other character: itself, case-sensitive.
// The metacharacters of the wider syntax ("[", "|", "*", "?", "{") and the other backslash letters
// are refused with error 119 rather than matched with a meaning the engine does not give them.
#include <QString>

#include <array>
#include <memory>
#include <stdexcept>

class ERegexEngine : public std::runtime_error {
public:
    // For compile errors (codes below 1000) the text ends with " (pos N)", N counted from 1.
    ERegexEngine(int errorCode, int compilerErrorPos = 0);

    int ErrorCode() const { return errorCode_; }
    int CompilerErrorPos() const { return compilerErrorPos_; }

    // The fixed text of an error code, without the position.
    static QString ErrorText(int errorCode);

private:
    int errorCode_;
    int compilerErrorPos_;
};

class TRegexEngine {
public:
    static constexpr int MaxSubExpressions = 15; // 0 is the whole match

    TRegexEngine();
    ~TRegexEngine();
    TRegexEngine(const TRegexEngine&) = delete;
    TRegexEngine& operator=(const TRegexEngine&) = delete;

    const QString& Expression() const { return expression_; }
    // The program is compiled at the next Exec.
    void SetExpression(const QString& expression);

    // Looks for the first match, trying start positions from the left. The input is taken up to its
    // first NUL. Raises ERegexEngine for a missing or bad expression.
    bool Exec(const QString& input);

    // Text of sub-expression n of the last match; empty outside 0..14, after a failed Exec, or when the
    // sub-expression took no part in the match.
    QString GetMatch(int n) const;

private:
    struct Program;

    QString expression_;
    std::unique_ptr<Program> program_;
    QString input_;
    std::array<qsizetype, MaxSubExpressions> starts_{};
    std::array<qsizetype, MaxSubExpressions> ends_{};

    void ClearMatches();
};
