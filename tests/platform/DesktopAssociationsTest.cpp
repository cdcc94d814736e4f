#include "platform/DesktopAssociations.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(DesktopAssociations, ExecArgumentsAreQuotedThenEscaped)
{
    struct Case {
        const char* argument;
        const char* written;
    };
    const Case cases[] = {
        {"/opt/station/sonvela-open", R"("/opt/station/sonvela-open")"},
        {"/a b/x", R"("/a b/x")"},
        {"/a\"b", R"("/a\\"b")"},
        {"/a`b", R"("/a\\`b")"},
        {"/a$x", R"("/a\\$x")"},
        {"/a\\b", R"("/a\\\\b")"},
        {"/100%/x", R"("/100%%/x")"},
        {"/a\nb", R"("/a\nb")"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesktopExecArgument(QString::fromUtf8(c.argument)), QString::fromUtf8(c.written))
            << c.argument;
}

TEST(DesktopAssociations, MimeAppsNameTheEntryFirstAndKeepEverythingElse)
{
    const QStringList types{"audio/mpeg", "audio/x-wav"};
    struct Case {
        const char* name;
        const char* existing;
        const char* merged;
    };
    const Case cases[] = {
        {"no file", "",
         "[Default Applications]\naudio/mpeg=S.desktop;\naudio/x-wav=S.desktop;\n\n"
         "[Added Associations]\naudio/mpeg=S.desktop;\naudio/x-wav=S.desktop;\n"},
        {"comments, other types and another player",
         "# kept\n[Default Applications]\nvideo/mp4=v.desktop;\naudio/mpeg=p.desktop;q.desktop\n\n"
         "; also kept\n[Removed Associations]\naudio/x-wav=r.desktop;\n",
         "# kept\n[Default Applications]\nvideo/mp4=v.desktop;\naudio/mpeg=S.desktop;p.desktop;q.desktop;\n"
         "audio/x-wav=S.desktop;\n\n; also kept\n[Removed Associations]\naudio/x-wav=r.desktop;\n\n"
         "[Added Associations]\naudio/mpeg=S.desktop;\naudio/x-wav=S.desktop;\n"},
        {"ours not first", "[Added Associations]\r\naudio/x-wav=p.desktop;S.desktop;\r\n",
         "[Added Associations]\r\naudio/x-wav=S.desktop;p.desktop;\naudio/mpeg=S.desktop;\n\n"
         "[Default Applications]\naudio/mpeg=S.desktop;\naudio/x-wav=S.desktop;\n"},
    };
    for (const Case& c : cases) {
        const QByteArray merged = MergedMimeApps(c.existing, "S.desktop", types);
        EXPECT_EQ(merged, QByteArray(c.merged)) << c.name;
        EXPECT_EQ(MergedMimeApps(merged, "S.desktop", types), merged) << c.name << ": a second merge";
    }
}
