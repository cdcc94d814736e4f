// Writes the seed packages of skin_fuzz with the test skin builder: the whole fixture skin, a small
// one coded with literals only, one of the old version and one with a single empty member.
// Usage: skin_seeds OUT
#include "skinbuilder/SkinFixture.h"

#include <QDir>
#include <QFile>

namespace {

bool WriteSeed(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    using namespace skinbuilder;
    const QList<Member> small{{"skin.ini", "[Buttons]\r\nBitmap=b.bmp\r\n"}, {"b.bmp", "BM"}};
    const bool ok = WriteSeed(out + "/fixture", StandardFixture().Package()) &&
                    WriteSeed(out + "/literals", SkinPackage(small, 20000, Matching::LiteralsOnly)) &&
                    WriteSeed(out + "/old", SkinPackage(small, 19999)) &&
                    WriteSeed(out + "/empty-member", SkinPackage({{"skin.ini", {}}}));
    return ok ? 0 : 1;
}
