#include "foundation/General.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace {

// Sets the program-folder variable for one test and puts the old value back.
class AppDirOverride {
public:
    explicit AppDirOverride(const QByteArray& value)
        : hadOld_(qEnvironmentVariableIsSet(AppDirVariable)), old_(qgetenv(AppDirVariable))
    {
        if (value.isNull())
            qunsetenv(AppDirVariable);
        else
            qputenv(AppDirVariable, value);
    }
    ~AppDirOverride()
    {
        if (hadOld_)
            qputenv(AppDirVariable, old_);
        else
            qunsetenv(AppDirVariable);
    }

private:
    bool hadOld_;
    QByteArray old_;
};

} // namespace

TEST(General, ProgramFolderIsTheExecutablesFolderWithASeparator)
{
    AppDirOverride none{QByteArray()};
    EXPECT_EQ(ProgramFolder(), QCoreApplication::applicationDirPath() + "/");
}

TEST(General, ProgramFolderOverrideEndsWithOneSeparator)
{
    struct Case {
        QByteArray value;
        QString folder;
    };
    const Case cases[] = {
        {"/srv/station", "/srv/station/"},
        {"/srv/station/", "/srv/station/"},
        {"station", QDir::currentPath() + "/station/"},
        {"", QCoreApplication::applicationDirPath() + "/"}, // an empty override is no override
    };
    for (const Case& c : cases) {
        AppDirOverride override(c.value);
        EXPECT_EQ(ProgramFolder(), c.folder) << c.value.constData();
    }
}
