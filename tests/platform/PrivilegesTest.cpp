#include "platform/Privileges.h"
#include "platform/Paths.h"

#include "TempFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(ElevatedProgram, LoadsNoLibraryThatOtherUsersCanChange)
{
    struct Case {
        const char* what;
        bool elevated;
        mode_t folderMode;
        mode_t fileMode;
        const char* refusal; // empty: loaded
    };
    const Case cases[] = {
        {"a user's own program, open folder", false, 0777, 0666, ""},
        {"elevated, a folder only its owner writes", true, 0755, 0644, ""},
        {"elevated, the group may write the folder", true, 0775, 0644, "other users may write"},
        {"elevated, anyone may write the folder", true, 0757, 0644, "other users may write"},
        {"elevated, anyone may write the library", true, 0755, 0646, "other users may write"},
    };
    for (const Case& c : cases) {
        TempFolder root;
        const QString folder = root.File("station");
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString library = folder + "/libTastrel.so";
        QFile file(library);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        ASSERT_EQ(::chmod(QFile::encodeName(library).constData(), c.fileMode), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), c.folderMode), 0);
        const QString refusal = platform::LibraryLoadRefusal(library, c.elevated);
        if (*c.refusal == '\0') {
            EXPECT_TRUE(refusal.isEmpty()) << c.what << ": " << refusal.toStdString();
        } else {
            EXPECT_TRUE(refusal.contains(c.refusal)) << c.what << ": " << refusal.toStdString();
        }
    }
}

TEST(ElevatedProgram, TakesNoProgramFolderFromTheEnvironment)
{
    TempFolder other;
    const QByteArray before = qgetenv(platform::AppDirVariable);
    qputenv(platform::AppDirVariable, QFile::encodeName(other.Path()));
    const QString asUser = platform::ProgramFolder(false);
    const QString elevated = platform::ProgramFolder(true);
    qputenv(platform::AppDirVariable, before);
    EXPECT_EQ(asUser, other.Path());
    EXPECT_EQ(elevated, QCoreApplication::applicationDirPath() + "/");
}

} // namespace
