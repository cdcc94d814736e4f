#include "foundation/RegexEngine.h"

#include <functional>
#include <vector>

namespace {

struct ErrorEntry {
    int code;
    const char* text;
};

// Fixed texts, kept word for word (typos included) so existing error reports stay comparable.
constexpr ErrorEntry kErrors[] = {
    {0, "No errors"},
    {100, "TRegexEngine(comp): Null Argument"},
    {101, "TRegexEngine(comp): Regexp Too Big"},
    {102, "TRegexEngine(comp): ParseReg Too Many ()"},
    {103, "TRegexEngine(comp): ParseReg Unmatched ()"},
    {104, "TRegexEngine(comp): ParseReg Unmatched ()"},
    {105, "TRegexEngine(comp): ParseReg Junk On End"},
    {106, "TRegexEngine(comp): *+ Operand Could Be Empty"},
    {107, "TRegexEngine(comp): Nested *?+"},
    {108, "TRegexEngine(comp): Bad Hex Digit"},
    {109, "TRegexEngine(comp): Invalid [] Range"},
    {110, "TRegexEngine(comp): Parse Atom Trailing \\"},
    {111, "TRegexEngine(comp): No Hex Code After \\x"},
    {112, "TRegexEngine(comp): Hex Code After \\x Is Too Big"},
    {113, "TRegexEngine(comp): Unmatched []"},
    {114, "TRegexEngine(comp): Internal Urp"},
    {115, "TRegexEngine(comp): ?+*{ Follows Nothing"},
    {116, "TRegexEngine(comp): Trailing \\"},
    {119, "TRegexEngine(comp): RarseAtom Internal Disaster"},
    {122, "TRegexEngine(comp): BRACES Argument Too Big"},
    {124, "TRegexEngine(comp): BRACE Min Param Greater then Max"},
    {125, "TRegexEngine(comp): Unclosed (?#Comment)"},
    {127, "TRegexEngine(comp): Urecognized Modifier"},
    {128, "TRegexEngine(comp): LinePairedSeparator must countain two different chars or no chars at all"},
    {1000, "TRegexEngine(exec): RegRepeat Called Inappropriately"},
    {1001, "TRegexEngine(exec): MatchPrim Memory Corruption"},
    {1002, "TRegexEngine(exec): MatchPrim Corrupted Pointers"},
    {1003, "TRegexEngine(exec): Not Assigned Expression Property"},
    {1004, "TRegexEngine(exec): Corrupted Program"},
    {1005, "TRegexEngine(exec): No Input String Specified"},
    {1006, "TRegexEngine(exec): Offset Must Be Greater Then 0"},
    {1007, "TRegexEngine(exec): ExecNext Without Exec[Pos]"},
    {1008, "TRegexEngine(exec): GetInputString Without InputString"},
    {1011, "TRegexEngine(dump): Corrupted Opcode"},
    {1014, "TRegexEngine(exec): Loop Stack Exceeded"},
    {1015, "TRegexEngine(exec): Loop Without LoopEntry !"},
    {2000, "TRegexEngine(misc): Bad p-code imported"},
};

constexpr int kTooManyBrackets = 102;
constexpr int kUnmatchedOpen = 103;
constexpr int kUnmatchedClose = 104;
constexpr int kOperandCouldBeEmpty = 106;
constexpr int kNestedRepeat = 107;
constexpr int kTrailingBackslash = 110;
constexpr int kRepeatFollowsNothing = 115;
constexpr int kUnknownAtom = 119;
constexpr int kNoExpression = 1003;
constexpr int kLoopStackExceeded = 1014;

// Each repetition of a bracketed operand costs a few stack frames; past this depth the match is given
// up with an error instead of overflowing the stack.
constexpr int kMaxLoopDepth = 1000;

std::string MessageFor(int code, int pos)
{
    QString text = ERegexEngine::ErrorText(code);
    if (code < 1000)
        text += QStringLiteral(" (pos %1)").arg(pos);
    return text.toStdString();
}

} // namespace

ERegexEngine::ERegexEngine(int errorCode, int compilerErrorPos)
    : std::runtime_error(MessageFor(errorCode, compilerErrorPos)), errorCode_(errorCode),
      compilerErrorPos_(compilerErrorPos)
{
}

QString ERegexEngine::ErrorText(int errorCode)
{
    for (const ErrorEntry& entry : kErrors)
        if (entry.code == errorCode)
            return QString::fromLatin1(entry.text);
    return QStringLiteral("Unknown error");
}

struct TRegexEngine::Program {
    struct Node {
        enum class Kind { Char, AnyChar, Digit, InputStart, InputEnd, Group, Plus };
        Kind kind;
        QChar ch;                   // Char
        int group = 0;              // Group: its number
        bool hasWidth = false;      // never matches the empty text
        std::vector<Node> children; // Group: its sequence; Plus: the one operand
    };
    using Sequence = std::vector<Node>;
    using Next = std::function<bool(qsizetype)>;

    Sequence nodes;

    class Parser;
    class Matcher;
};

// Recursive descent over the expression; the position reported with an error is where it stopped
// reading, counted from 1 (one past the end when the expression ended too early).
class TRegexEngine::Program::Parser {
public:
    explicit Parser(const QString& expression) : text_(expression) {}

    Sequence ParseAll()
    {
        Sequence sequence = ParseSequence(false);
        if (at_ < text_.size()) // only a ')' stops the top level early
            Fail(kUnmatchedClose);
        return sequence;
    }

private:
    const QString& text_;
    qsizetype at_ = 0;
    int groups_ = 0;

    [[noreturn]] void Fail(int code) const { throw ERegexEngine(code, int(at_) + 1); }
    bool At(QChar c) const { return at_ < text_.size() && text_[at_] == c; }

    Sequence ParseSequence(bool inGroup)
    {
        Sequence sequence;
        while (at_ < text_.size() && !(inGroup && At(u')'))) {
            if (At(u')'))
                Fail(kUnmatchedClose);
            if (At(u'+'))
                Fail(kRepeatFollowsNothing);
            Node atom = ParseAtom();
            if (At(u'+')) {
                if (!atom.hasWidth)
                    Fail(kOperandCouldBeEmpty);
                ++at_;
                if (At(u'+'))
                    Fail(kNestedRepeat);
                Node plus{Node::Kind::Plus, {}, 0, true, {}};
                plus.children.push_back(std::move(atom));
                atom = std::move(plus);
            }
            sequence.push_back(std::move(atom));
        }
        return sequence;
    }

    Node ParseAtom()
    {
        const QChar c = text_[at_];
        switch (c.unicode()) {
        case u'^':
            ++at_;
            return {Node::Kind::InputStart, {}, 0, false, {}};
        case u'$':
            ++at_;
            return {Node::Kind::InputEnd, {}, 0, false, {}};
        case u'.':
            ++at_;
            return {Node::Kind::AnyChar, {}, 0, true, {}};
        case u'(':
            return ParseGroup();
        case u'\\':
            return ParseEscape();
        case u'[':
        case u'|':
        case u'*':
        case u'?':
        case u'{':
            Fail(kUnknownAtom);
        default:
            ++at_;
            return {Node::Kind::Char, c, 0, true, {}};
        }
    }

    Node ParseGroup()
    {
        if (groups_ == MaxSubExpressions - 1)
            Fail(kTooManyBrackets);
        ++at_;
        Node group{Node::Kind::Group, {}, ++groups_, false, ParseSequence(true)};
        if (!At(u')'))
            Fail(kUnmatchedOpen);
        ++at_;
        for (const Node& child : group.children)
            group.hasWidth = group.hasWidth || child.hasWidth;
        return group;
    }

    Node ParseEscape()
    {
        ++at_;
        if (at_ >= text_.size())
            Fail(kTrailingBackslash);
        const QChar c = text_[at_];
        if (c == u'd') {
            ++at_;
            return {Node::Kind::Digit, {}, 0, true, {}};
        }
        if (c.isLetterOrNumber())
            Fail(kUnknownAtom);
        ++at_;
        return {Node::Kind::Char, c, 0, true, {}};
    }
};

// Backtracking by continuation: each step is given what must match after it and reports whether the
// whole rest succeeded, so a greedy repeat can give back one step at a time.
class TRegexEngine::Program::Matcher {
public:
    Matcher(const QString& input, std::array<qsizetype, MaxSubExpressions>& starts,
            std::array<qsizetype, MaxSubExpressions>& ends)
        : input_(input), starts_(starts), ends_(ends)
    {
    }

    bool MatchSequence(const Sequence& sequence, size_t index, qsizetype pos, const Next& next)
    {
        for (; index < sequence.size(); ++index) {
            const Node& node = sequence[index];
            switch (node.kind) {
            case Node::Kind::InputStart:
                if (pos != 0)
                    return false;
                break;
            case Node::Kind::InputEnd:
                if (pos != input_.size())
                    return false;
                break;
            case Node::Kind::Group:
            case Node::Kind::Plus: {
                const Next rest = [&, index](qsizetype p) {
                    return MatchSequence(sequence, index + 1, p, next);
                };
                return node.kind == Node::Kind::Group ? MatchGroup(node, pos, rest)
                                                      : MatchPlus(node, pos, rest);
            }
            default:
                if (!MatchesCharAt(node, pos))
                    return false;
                ++pos;
            }
        }
        return next(pos);
    }

private:
    const QString& input_;
    std::array<qsizetype, MaxSubExpressions>& starts_;
    std::array<qsizetype, MaxSubExpressions>& ends_;
    int loopDepth_ = 0;

    bool MatchesCharAt(const Node& node, qsizetype pos) const
    {
        if (pos >= input_.size())
            return false;
        const QChar c = input_[pos];
        switch (node.kind) {
        case Node::Kind::Char:
            return c == node.ch;
        case Node::Kind::AnyChar:
            return true;
        case Node::Kind::Digit:
            return c >= u'0' && c <= u'9';
        default:
            return false;
        }
    }

    bool MatchGroup(const Node& group, qsizetype pos, const Next& next)
    {
        const int n = group.group;
        const qsizetype oldStart = starts_[n];
        const qsizetype oldEnd = ends_[n];
        starts_[n] = pos;
        const Next close = [&](qsizetype p) {
            const qsizetype endBefore = ends_[n];
            ends_[n] = p;
            if (next(p))
                return true;
            ends_[n] = endBefore;
            return false;
        };
        if (MatchSequence(group.children, 0, pos, close))
            return true;
        starts_[n] = oldStart;
        ends_[n] = oldEnd;
        return false;
    }

    bool MatchPlus(const Node& plus, qsizetype pos, const Next& next)
    {
        const Node& operand = plus.children.front();
        if (operand.kind != Node::Kind::Group) {
            // One character a step: take the longest run, then give back from its end.
            qsizetype run = 0;
            while (MatchesCharAt(operand, pos + run))
                ++run;
            for (qsizetype taken = run; taken >= 1; --taken)
                if (next(pos + taken))
                    return true;
            return false;
        }
        return Repeat(operand, pos, next);
    }

    // One more pass of the operand, then greedily another, else what follows the repeat.
    bool Repeat(const Node& operand, qsizetype pos, const Next& next)
    {
        if (loopDepth_ >= kMaxLoopDepth)
            throw ERegexEngine(kLoopStackExceeded);
        ++loopDepth_;
        const Next again = [&](qsizetype p) { return Repeat(operand, p, next) || next(p); };
        const bool matched = MatchGroup(operand, pos, again);
        --loopDepth_;
        return matched;
    }
};

TRegexEngine::TRegexEngine()
{
    ClearMatches();
}

TRegexEngine::~TRegexEngine() = default;

void TRegexEngine::SetExpression(const QString& expression)
{
    expression_ = expression;
    program_.reset();
}

bool TRegexEngine::Exec(const QString& input)
{
    const qsizetype nul = input.indexOf(QChar(u'\0'));
    input_ = nul < 0 ? input : input.left(nul);
    ClearMatches();
    if (expression_.isEmpty())
        throw ERegexEngine(kNoExpression);
    if (!program_) {
        auto program = std::make_unique<Program>();
        program->nodes = Program::Parser(expression_).ParseAll();
        program_ = std::move(program);
    }

    const Program::Sequence& nodes = program_->nodes;
    const bool anchored = !nodes.empty() && nodes.front().kind == Program::Node::Kind::InputStart;
    Program::Matcher matcher(input_, starts_, ends_);
    const Program::Next wholeMatch = [this](qsizetype end) {
        ends_[0] = end;
        return true;
    };
    for (qsizetype start = 0; start <= input_.size(); ++start) {
        if (matcher.MatchSequence(nodes, 0, start, wholeMatch)) {
            starts_[0] = start;
            return true;
        }
        if (anchored)
            break;
    }
    ClearMatches();
    return false;
}

QString TRegexEngine::GetMatch(int n) const
{
    if (n < 0 || n >= MaxSubExpressions || starts_[n] < 0 || ends_[n] < starts_[n])
        return {};
    return input_.mid(starts_[n], ends_[n] - starts_[n]);
}

void TRegexEngine::ClearMatches()
{
    starts_.fill(-1);
    ends_.fill(-1);
}
