#include "platform/Registry.h"

#include "FileBytes.h"
#include "TempFolder.h"

#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>

using platform::Registry;
using platform::RegistryError;
using platform::RegistryRoot;

namespace {

ino_t InodeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

TEST(RegistryTest, KeysAndValueNamesMatchWithoutRegardToCaseAndKeepTheirFirstSpelling)
{
    TempFolder temp;
    Registry registry(temp.File("registry.json"));
    registry.WriteValue(RegistryRoot::CurrentUser, "Software\\Radio\\Station\\", "Volume", "40");

    EXPECT_EQ(registry.ReadValue(RegistryRoot::CurrentUser, "SOFTWARE\\radio\\station", "volume"), "40");
    EXPECT_FALSE(registry.ReadValue(RegistryRoot::ClassesRoot, "Software\\Radio\\Station", "Volume"));
    EXPECT_FALSE(registry.ReadValue(RegistryRoot::CurrentUser, "Software\\Radio\\Station", "Other"));

    registry.WriteValue(RegistryRoot::CurrentUser, "software\\RADIO\\station", "VOLUME", "41");
    EXPECT_EQ(registry.SubKeyNames(RegistryRoot::CurrentUser, "Software"), QStringList{"Radio"});
    EXPECT_EQ(registry.ValueNames(RegistryRoot::CurrentUser, "Software\\Radio\\Station"),
              QStringList{"Volume"});
    EXPECT_EQ(registry.ReadValue(RegistryRoot::CurrentUser, "Software\\Radio\\Station", "Volume"), "41");
}

TEST(RegistryTest, ValuesKeepEveryCharacterAndTheDefaultValueHasTheEmptyName)
{
    TempFolder temp;
    Registry registry(temp.File("registry.json"));
    const QString value = QString::fromUtf8("a\0b\r\nc\\d/e \xc3\xa9", 14);
    registry.WriteValue(RegistryRoot::ClassesRoot, ".mp3", "", "Sonvela.File");
    registry.WriteValue(RegistryRoot::ClassesRoot, ".mp3", "odd", value);

    Registry other(temp.File("registry.json"));
    EXPECT_EQ(other.ReadValue(RegistryRoot::ClassesRoot, ".MP3", ""), "Sonvela.File");
    EXPECT_EQ(other.ReadValue(RegistryRoot::ClassesRoot, ".mp3", "odd"), value);
}

TEST(RegistryTest, AWriteThatChangesNothingLeavesTheFileAsItWas)
{
    TempFolder temp;
    const QString path = temp.File("registry.json");
    Registry registry(path);
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::ClassesRoot, "Sonvela.File"));
    EXPECT_FALSE(QFile::exists(path)) << "reading makes no file";

    registry.WriteValue(RegistryRoot::ClassesRoot, "Sonvela.File\\shell\\Enqueue", "", "Enqueue in Sonvela");
    const ino_t written = InodeOf(path);
    ASSERT_NE(written, 0u);
    registry.WriteValue(RegistryRoot::ClassesRoot, "sonvela.file\\Shell\\enqueue", "", "Enqueue in Sonvela");
    registry.CreateKey(RegistryRoot::ClassesRoot, "Sonvela.File\\shell");
    EXPECT_EQ(InodeOf(path), written);

    registry.CreateKey(RegistryRoot::ClassesRoot, "Sonvela.File\\DefaultIcon");
    EXPECT_NE(InodeOf(path), written);
    EXPECT_TRUE(registry.KeyExists(RegistryRoot::ClassesRoot, "Sonvela.File\\defaulticon"));
}

TEST(RegistryTest, DeletingAValueOrAKeyWithEverythingBelowIt)
{
    TempFolder temp;
    Registry registry(temp.File("registry.json"));
    registry.WriteValue(RegistryRoot::CurrentUser, "A\\B\\C", "x", "1");
    registry.WriteValue(RegistryRoot::CurrentUser, "A\\B", "y", "2");

    EXPECT_TRUE(registry.DeleteValue(RegistryRoot::CurrentUser, "a\\b", "Y"));
    EXPECT_FALSE(registry.DeleteValue(RegistryRoot::CurrentUser, "A\\B", "y"));
    EXPECT_FALSE(registry.DeleteValue(RegistryRoot::CurrentUser, "A\\Missing", "y"));
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::CurrentUser, "A\\Missing")) << "a delete makes no key";
    EXPECT_TRUE(registry.KeyExists(RegistryRoot::CurrentUser, "A\\B\\C"));

    EXPECT_TRUE(registry.DeleteKey(RegistryRoot::CurrentUser, "a\\B"));
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::CurrentUser, "A\\B\\C"));
    EXPECT_TRUE(registry.KeyExists(RegistryRoot::CurrentUser, "A"));
    EXPECT_FALSE(registry.DeleteKey(RegistryRoot::CurrentUser, "A\\B"));
    EXPECT_FALSE(registry.DeleteKey(RegistryRoot::CurrentUser, ""));
}

TEST(RegistryTest, AStoreThatCannotBeWrittenRaisesAndKeepsItsFile)
{
    TempFolder temp;
    const QString damaged = temp.File("registry.json");
    ASSERT_TRUE(WriteBytes(damaged, "{ not json"));
    Registry registry(damaged);
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::ClassesRoot, ".mp3"));
    EXPECT_FALSE(registry.DeleteKey(RegistryRoot::ClassesRoot, ".mp3"));
    try {
        registry.WriteValue(RegistryRoot::ClassesRoot, ".mp3", "", "Sonvela.File");
        ADD_FAILURE() << "a damaged store was overwritten";
    } catch (const RegistryError& error) {
        EXPECT_STREQ(error.what(),
                     "Cannot create key .mp3, the user account may not have the required rights "
                     "to create registry keys under HKEY_CLASSES_ROOT.");
    }
    EXPECT_EQ(ReadBytes(damaged), "{ not json");

    Registry underAFile(temp.File("registry.json/inner.json"));
    EXPECT_THROW(underAFile.CreateKey(RegistryRoot::CurrentUser, "Software"), RegistryError);
}

} // namespace
