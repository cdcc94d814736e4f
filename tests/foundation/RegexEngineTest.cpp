#include "foundation/RegexEngine.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {
const QString kLineInPattern = QStringLiteral("^\\[LINEIN (\\d+) (.+) \\]$");
}

TEST(RegexEngine, LineInPatternOnGoodAndBadEntries)
{
    struct Case {
        QString input;
        bool matches;
        QString seconds;
        QString name;
    };
    const Case cases[] = {
        {"[LINEIN 30 Radio Uno ]", true, "30", "Radio Uno"},
        {"[LINEIN 45 Radio ] ]", true, "45", "Radio ]"}, // greedy name keeps the inner " ]"
        {"[LINEIN 5 A\nB ]", true, "5", "A\nB"},         // "." takes line breaks
        {"[LINEIN 007 x ]", true, "007", "x"},
        {"[LINEIN 30  ]", false, "", ""}, // the name needs a character
        {"[LINEIN abc Radio ]", false, "", ""},
        {"[LINEIN  30 Radio ]", false, "", ""}, // digits right after the blank
        {"[LINEIN 45 Radio ]x", false, "", ""}, // must end with " ]"
        {" [LINEIN 30 X ]", false, "", ""},     // "^" is the first character only
        {"[LINEIN 5 X ]\n", false, "", ""},     // "$" is the very end, not before a LF
        {"[linein 30 Radio ]", false, "", ""},  // case-sensitive
        {QStringLiteral("[LINEIN 5 X ]") + QChar(u'\0') + "tail", true, "5", "X"}, // cut at the NUL
    };
    TRegexEngine engine;
    engine.SetExpression(kLineInPattern);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.toStdString());
        EXPECT_EQ(engine.Exec(c.input), c.matches);
        EXPECT_EQ(engine.GetMatch(1), c.seconds);
        EXPECT_EQ(engine.GetMatch(2), c.name);
        EXPECT_EQ(engine.GetMatch(0).isEmpty(), !c.matches);
    }
}

TEST(RegexEngine, SearchCapturesAndBacktracking)
{
    struct Case {
        QString expression;
        QString input;
        bool matches;
        QStringList groups; // 0, 1, 2, ...
    };
    const Case cases[] = {
        {"b+", "aabbbc", true, {"bbb"}},                  // leftmost, longest run
        {"(a+)(a+)", "aaaa", true, {"aaaa", "aaa", "a"}}, // the first repeat gives back one
        {"(\\d+)5", "12345", true, {"12345", "1234"}},
        {"x(ab)+y", "zxababy", true, {"xababy", "ab"}},      // a repeated group keeps its last pass
        {"(ab)+ab", "ababab", true, {"ababab", "ab"}},       // the repeated group gives back a pass
        {"((a)(b))c", "abc", true, {"abc", "ab", "a", "b"}}, // numbered by opening bracket
        {"a\\.b", "axb a.b", true, {"a.b"}},
        {"()a", "a", true, {"a", ""}},
        {"$", "abc", true, {""}},
        {"^$", "", true, {""}},
        {"c$", "abc\n", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.expression + " on " + c.input).toStdString());
        TRegexEngine engine;
        engine.SetExpression(c.expression);
        ASSERT_EQ(engine.Exec(c.input), c.matches);
        for (int n = 0; n < c.groups.size(); ++n)
            EXPECT_EQ(engine.GetMatch(n), c.groups[n]) << "group " << n;
    }
}

TEST(RegexEngine, GetMatchOutsideTheMatch)
{
    TRegexEngine engine;
    EXPECT_EQ(engine.GetMatch(0), "");
    engine.SetExpression("(x)(a)");
    ASSERT_TRUE(engine.Exec("xa"));
    EXPECT_EQ(engine.GetMatch(2), "a");
    EXPECT_EQ(engine.GetMatch(3), ""); // no such sub-expression
    EXPECT_EQ(engine.GetMatch(15), "");
    EXPECT_EQ(engine.GetMatch(-1), "");
    EXPECT_FALSE(engine.Exec("ya"));
    EXPECT_EQ(engine.GetMatch(0), "");
    EXPECT_EQ(engine.GetMatch(2), ""); // a failed Exec leaves nothing from the last match
}

TEST(RegexEngine, CompileErrorsCarryCodeAndPosition)
{
    struct Case {
        QString expression;
        int code;
        int pos;
    };
    const Case cases[] = {
        {"(abc", 103, 5},  {"a(b(c)", 103, 7},
        {"ab)", 104, 3},   {"+a", 115, 1},
        {"(+a)", 115, 2},  {"a++", 107, 3},
        {"()+", 106, 3},   {"^+", 106, 2},
        {"abc\\", 110, 5}, {"a[bc]", 119, 2},
        {"a|b", 119, 2},   {"a*", 119, 2},
        {"\\w", 119, 2},   {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)(m)(n)(o)", 102, 43},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression.toStdString());
        TRegexEngine engine;
        engine.SetExpression(c.expression);
        try {
            engine.Exec("abc");
            ADD_FAILURE() << "no error";
        } catch (const ERegexEngine& e) {
            EXPECT_EQ(e.ErrorCode(), c.code);
            EXPECT_EQ(e.CompilerErrorPos(), c.pos);
            EXPECT_EQ(QString::fromStdString(e.what()),
                      ERegexEngine::ErrorText(c.code) + QStringLiteral(" (pos %1)").arg(c.pos));
        }
    }
}

TEST(RegexEngine, FourteenSubExpressionsAreAllowed)
{
    TRegexEngine engine;
    engine.SetExpression("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)(m)(n)");
    ASSERT_TRUE(engine.Exec("abcdefghijklmn"));
    EXPECT_EQ(engine.GetMatch(14), "n");
}

TEST(RegexEngine, ExecErrorsAndFixedTexts)
{
    TRegexEngine engine;
    for (const QString& expression : {QString(), QString("")}) {
        engine.SetExpression(expression);
        try {
            engine.Exec("abc");
            ADD_FAILURE() << "no error";
        } catch (const ERegexEngine& e) {
            EXPECT_EQ(e.ErrorCode(), 1003);
            EXPECT_STREQ(e.what(), "TRegexEngine(exec): Not Assigned Expression Property");
        }
    }
    EXPECT_EQ(ERegexEngine::ErrorText(1005), "TRegexEngine(exec): No Input String Specified");
    EXPECT_EQ(ERegexEngine::ErrorText(119), "TRegexEngine(comp): RarseAtom Internal Disaster");
    EXPECT_EQ(ERegexEngine::ErrorText(999), "Unknown error");

    // A bracketed repeat deeper than the loop stack fails cleanly instead of overflowing the stack.
    engine.SetExpression("(a)+");
    try {
        engine.Exec(QString(5000, u'a'));
        ADD_FAILURE() << "no error";
    } catch (const ERegexEngine& e) {
        EXPECT_EQ(e.ErrorCode(), 1014);
    }
}
