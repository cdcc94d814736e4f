#pragma once
// Pseudo-random bytes from a seed: the same in every run, so a failure repeats.
#include <QByteArray>
#include <QRandomGenerator>

inline QByteArray RandomBytes(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(count, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random.bounded(256));
    return bytes;
}
