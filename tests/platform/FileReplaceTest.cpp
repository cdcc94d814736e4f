#include "platform/FileReplace.h"

#include "FileBytes.h"
#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

TEST(FileReplaceTest, TheNewFileKeepsTheOldOnesPermissionsAndLinks)
{
    TempFolder temp;
    const QString path = temp.File("users.dat");
    ASSERT_TRUE(WriteBytes(path, "old"));
    const auto ownerAndGroupRead = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                                   QFileDevice::WriteUser | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, ownerAndGroupRead));
    ASSERT_TRUE(QFile::link(path, temp.File("link.dat")));

    QString error;
    ASSERT_TRUE(platform::ReplaceFile(temp.File("link.dat"), "new", error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(temp.File("link.dat")).isSymLink());
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(QFile::permissions(path), ownerAndGroupRead);
    EXPECT_EQ(QDir(temp.Path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList({"link.dat", "users.dat"}));

    EXPECT_FALSE(platform::ReplaceFile(temp.File("missing/users.dat"), "new", error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(FileReplaceTest, OnlyTheLeftoversOfCutShortReplacesAreRemoved)
{
    TempFolder temp;
    const QStringList leftovers = {"users.dat.part-a1B2c3", "users.dat.part-ZZZZZZ"};
    const QStringList others = {"users.dat",
                                "users.dat.backup", // six letters, as Qt's temporary names have
                                "users.dat.part-abc",
                                "users.dat.part-abcdefg",
                                "users.dat.part-abc-ef",
                                "users.dat.part-abcdef.txt",
                                "other.dat.part-abcdef",
                                "Users.dat.part-abcdef"};
    for (const QString& name : leftovers + others)
        ASSERT_TRUE(WriteBytes(temp.File(name), "x"));
    ASSERT_TRUE(QDir(temp.Path()).mkdir("users.dat.part-folder"));
    ASSERT_TRUE(QFile::link(temp.File("users.dat.backup"), temp.File("users.dat.part-linked")));

    platform::RemoveReplaceLeftovers(temp.File("users.dat"));

    QStringList expected = others;
    expected << "users.dat.part-folder"
             << "users.dat.part-linked";
    expected.sort();
    EXPECT_EQ(
        QDir(temp.Path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name),
        expected);
}

} // namespace
