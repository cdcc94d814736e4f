#pragma once
// The decoded payload of a skin package: the version header, the member names, their sizes and their
// bytes, little-endian, laid out as the package reader expects them.
#include "skinbuilder/LzhEncoder.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

namespace skinbuilder {

struct Member {
    QString name;
    QByteArray bytes;
};

// Each name followed by CR LF, then one signed 32-bit size per member, then the bytes back to back.
QByteArray SkinPayload(const QList<Member>& members, uint32_t version = 20000);

// The package file of those members.
QByteArray SkinPackage(const QList<Member>& members, uint32_t version = 20000,
                       Matching matching = Matching::Greedy);

} // namespace skinbuilder
