// Reading a whole file through the platform: what is no regular file (a FIFO, a socket, a device, a
// folder) is refused at once with the reason, never waited on, and nothing is read.
#include "platform/FileSystem.h"
#include "NonRegularFiles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadWholeFile, FilesMissingOrNotRegularAreRefusedAtOnceWithTheReason)
{
    TempFolder folder;
    std::vector<NonRegularFile> files = MakeNonRegularFiles(folder.Path(), ".ini");
    ASSERT_EQ(files.size(), 4u);
    files.push_back({"No such file or directory", folder.File("missing.ini")});
    for (const NonRegularFile& file : files) {
        SCOPED_TRACE(file.kind);
        FifoWatch watch(files);
        QByteArray bytes("left over");
        QString reason;
        EXPECT_FALSE(platform::ReadWholeFile(file.path, bytes, reason));
        EXPECT_FALSE(watch.Released());
        EXPECT_TRUE(reason.startsWith(file.kind)) << reason.toStdString();
        EXPECT_TRUE(bytes.isEmpty());
    }
}

} // namespace
