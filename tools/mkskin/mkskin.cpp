// Writes the skin package a new station finds in its skins folder: our own artwork (a blue caption
// with rounded top corners, thin borders and three caption buttons; the faces of push buttons, check
// boxes, radio buttons and tabs; scroll bars, list headers, combo boxes, spin buttons, progress bars
// and slider thumbs; the menus), packed with the test builder.
//   mkskin <output.skn>
#include "Parts.h"

#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkskin <output.skn>\n");
        return 2;
    }
    using namespace mkskin;
    QList<skinbuilder::Member> members{{"sonvela.ini", Description().toLatin1()}};
    members << FrameMembers() << ButtonMembers() << ControlMembers() << MenuMembers();
    QFile output(QString::fromLocal8Bit(argv[1]));
    if (!output.open(QIODevice::WriteOnly) || output.write(skinbuilder::SkinPackage(members)) < 0) {
        std::fprintf(stderr, "mkskin: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
