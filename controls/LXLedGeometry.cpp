#include "controls/LXLedGeometry.h"

#include "platform/Numbers.h"

#include <cstdlib>

using platform::TPoint;

namespace {

using Polygon = std::vector<TPoint>;

Polygon HorzBar(int a, int b, int d, int e)
{
    return {{a, b + d},        {a + d, b}, {a + d + e, b}, {a + e + 2 * d, b + d}, {a + d + e, b + 2 * d},
            {a + d, b + 2 * d}};
}

Polygon VertBar(int a, int b, int d, int e)
{
    return {{a + e, b},     {a + 2 * e, b + e}, {a + 2 * e, b + d + e}, {a + e, b + d + 2 * e},
            {a, b + d + e}, {a, b + e}};
}

int HalfOfSigned(int sign, int c)
{
    const int s = sign > 0 ? 1 : -1;
    return static_cast<int>(platform::RoundHalfEven(s * c / 2.0));
}

Polygon Diagonal(int a, int b, int c, int d, int e)
{
    if (d == 0 || e == 0)
        return {};
    const int e1 = HalfOfSigned(e, c);
    const int d1 = HalfOfSigned(d, c);
    return {{a, b}, {a + e1, b}, {a + e, b + d - d1}, {a + e, b + d}, {a + e - e1, b + d}, {a, b + d1}};
}

Polygon Dot(int a, int b, int d, int e)
{
    return {{a + e, b - 1}, {a + e, b + d - 1}, {a, b + d - 1},
            {a, b - 1},     {a + e, b - 1},     {a + e, b + d - 1}};
}

} // namespace

std::vector<TPoint> TLXLedGeometry::SegmentPolygon(int segment) const
{
    const int h = Horz, v = Vert, t = Thick;
    const int t2 = t / 2, centre = 2 * t + h / 2;
    const int right = centre + static_cast<int>(platform::RoundHalfEven(1.5 * t));
    switch (segment) {
    case 0:
        return HorzBar(2 * t, t, t2, h);
    case 1:
        return VertBar(t, 2 * t, v, t2);
    case 2:
        return VertBar(h + 3 * t, 2 * t, v, t2);
    case 3:
        return HorzBar(2 * t, v + 3 * t, t2, h);
    case 4:
        return VertBar(t, v + 4 * t, v, t2);
    case 5:
        return VertBar(h + 3 * t, v + 4 * t, v, t2);
    case 6:
        return HorzBar(2 * t, 2 * v + 5 * t, t2, h);
    case 7:
        return VertBar(centre, 2 * t, v, t2);
    case 8:
        return VertBar(centre, v + 4 * t, v, t2);
    case 9:
        return Diagonal(centre - t2, v + 2 * t, t, t - v, t - h / 2);
    case 10:
        return Diagonal(right, v + 2 * t, t, t - v, h / 2 - t);
    case 11:
        return Diagonal(centre - t2, v + 5 * t, t, v - t, t - h / 2);
    case 12:
        return Diagonal(right, v + 5 * t, t, v - t, h / 2 - t);
    case 13:
        return Dot(centre - 1, v + 3 * t, t, t);
    case 14:
        return Dot(centre - 1, t, t, t);
    case 15:
        return Dot(centre - 1, 2 * v + 5 * t, t, t);
    default:
        return {};
    }
}

platform::TSize TLXLedGeometry::TextExtent(const QString& text, int margin) const
{
    int rows = 1, columns = 0, column = 0;
    for (QChar c : text) {
        if (c == QChar('\r')) {
            ++rows;
            column = 0;
        } else if (c.unicode() >= 32) {
            columns = std::max(columns, ++column);
        }
    }
    const platform::TSize cell = CellSize();
    return {columns * cell.cx + 2 * margin + 1, rows * cell.cy + 2 * margin};
}

uint16_t LedCharacterMask(QChar character)
{
    switch (character.toUpper().unicode()) {
    case '0':
        return 0x1277;
    case '1':
    case 'I':
        return 0x0180;
    case '2':
        return 0x005D;
    case '3':
        return 0x006D;
    case '4':
        return 0x002E;
    case '5':
    case 'S':
        return 0x006B;
    case '6':
    case 'G':
        return 0x007B;
    case '7':
        return 0x0025;
    case '8':
        return 0x007F;
    case '9':
        return 0x006F;
    case ':':
        return 0xA000;
    case '.':
        return 0x8000;
    case '-':
        return 0x0008;
    case '+':
        return 0x0188;
    case '(':
    case '<':
        return 0x1400;
    case ')':
    case '>':
        return 0x0A00;
    case '"':
        return 0x0082;
    case '\'':
        return 0x0080;
    case 'A':
        return 0x003F;
    case 'B':
        return 0x01ED;
    case 'C':
    case '[':
        return 0x0053;
    case 'D':
        return 0x01E5;
    case 'E':
        return 0x005B;
    case 'F':
        return 0x001B;
    case 'H':
        return 0x003E;
    case 'J':
        return 0x0074;
    case 'K':
        return 0x141A;
    case 'L':
        return 0x0052;
    case 'M':
        return 0x0636;
    case 'N':
        return 0x1236;
    case '=':
        return 0x0048;
    case '*':
        return 0x1F80;
    case 'O':
        return 0x0077;
    case 'P':
        return 0x001F;
    case 'Q':
        return 0x1077;
    case 'R':
        return 0x101F;
    case 'T':
        return 0x0181;
    case 'U':
        return 0x0076;
    case 'V':
        return 0x0C12;
    case 'W':
        return 0x1836;
    case 'X':
        return 0x1E00;
    case 'Y':
        return 0x0700;
    case 'Z':
        return 0x0C41;
    case ']':
        return 0x0065;
    case '_':
        return 0x0040;
    case '/':
        return 0x0C00;
    case '\\':
        return 0x1200;
    default:
        return 0;
    }
}

QString LedNumberText(int value, int digits)
{
    const QString number = QString::number(value);
    if (number.size() > digits)
        return QString(digits, QChar('-'));
    const qsizetype zeros = digits - number.size();
    if (value < 0)
        return QChar('-') + QString(zeros, QChar('0')) + number.mid(1);
    return QString(zeros, QChar('0')) + number;
}
