#pragma once
// Trees and bytes shared by the combinations tests.
#include "library/CombiItem.h"

#include <QByteArray>
#include <QString>
#include <QTreeWidgetItem>

namespace library::testing {

// Bytes written as hex pairs with optional blanks.
inline QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// A collapsed root alone, as the original writes it (43 bytes).
inline const QByteArray RootAlone = Hex("01 02 00 06 0D 434F4D42494E4143494F4E4553 02 00 08"
                                        " 06 0D 434F4D42494E4143494F4E4553 02 00 02 00 02 00 00");

// An expanded root, a collapsed combination "Rock" and two themes, one with a non-ASCII path.
inline const QByteArray FourNodes = Hex(
    "01 02 00 06 0D 43 4F 4D 42 49 4E 41 43 49 4F 4E 45 53 02 00 09 06 0D 43 4F 4D 42 49 4E 41 43 49 4F 4E"
    " 45 53 02 00 02 00 02 00 02 01 06 04 52 6F 63 6B 02 01 08 06 04 52 6F 63 6B 02 01 02 01 02 00 02 02 06"
    " 0A 2F 73 72 76 2F 61 2E 6D 70 33 02 02 08 06 0A 2F 73 72 76 2F 61 2E 6D 70 33 02 02 02 02 03 C8 00 02"
    " 02 14 0B 00 00 00 2F 73 72 76 2F C3 B1 2E 6D 70 33 02 02 08 14 0B 00 00 00 2F 73 72 76 2F C3 B1 2E 6D"
    " 70 33 02 02 02 02 02 64 00");

// A node whose text and record name agree and whose image is its kind, as the program makes them.
inline TCombiItem* Node(const QString& name, int kind, int64_t duration = 0)
{
    return NewCombiNode(name, kind, duration);
}

} // namespace library::testing
