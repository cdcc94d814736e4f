#include "controls/KnobMath.h"

#include "platform/Numbers.h"

#include <cmath>
#include <numbers>

double KnobDegreesPerUnit(int min, int max)
{
    return max == min ? 0.0 : 300.0 / (static_cast<double>(max) - min);
}

int KnobAngle(int position, int min, double degreesPerUnit)
{
    return 240 -
           static_cast<int>(platform::RoundHalfEven((static_cast<double>(position) - min) * degreesPerUnit));
}

int KnobValueOfAngle(int angle, int min, double degreesPerUnit)
{
    if (degreesPerUnit == 0.0)
        return min;
    return min + static_cast<int>(platform::RoundHalfEven((240.0 - angle) / degreesPerUnit));
}

int KnobMouseAngle(QPoint point, QSize size)
{
    const int cx = size.width() / 2;
    const int cy = size.height() / 2;
    int angle;
    if (point.x() == cx) {
        angle = point.y() > cy ? 240 : 90;
    } else {
        const double slope = static_cast<double>(cy - point.y()) / (point.x() - cx);
        angle = static_cast<int>(platform::RoundHalfEven(std::atan(slope) * 180.0 / std::numbers::pi));
        if (point.x() < cx)
            angle = (angle + 180) % 360;
    }
    if (angle > 240 && angle <= 270)
        angle = 240;
    if (angle < -60)
        angle = -60;
    return angle;
}

QString KnobLabelText(int value, int max, const QString& caption)
{
    const int percent = max == 0 ? 0 : static_cast<int>(static_cast<int64_t>(value) * 100 / max);
    QString text = QString::number(percent) + QLatin1Char(' ');
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('%')) {
            if (i + 1 == caption.size())
                break; // a lone "%" at the end gives nothing
            if (caption.at(i + 1) == QLatin1Char('%'))
                ++i;
        }
        text += caption.at(i);
    }
    return text;
}
