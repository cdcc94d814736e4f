#include "skinbuilder/SkinPayload.h"

#include <QtEndian>

namespace skinbuilder {

namespace {

void AppendWord(QByteArray& bytes, uint32_t word)
{
    char le[4];
    qToLittleEndian(word, le);
    bytes.append(le, 4);
}

} // namespace

QByteArray SkinPayload(const QList<Member>& members, uint32_t version)
{
    QByteArray names;
    for (const Member& member : members)
        names += member.name.toLatin1() + "\r\n";
    QByteArray payload;
    AppendWord(payload, version);
    AppendWord(payload, uint32_t(names.size()));
    AppendWord(payload, 0);
    AppendWord(payload, 0);
    payload += names;
    for (const Member& member : members)
        AppendWord(payload, uint32_t(member.bytes.size()));
    for (const Member& member : members)
        payload += member.bytes;
    return payload;
}

QByteArray SkinPackage(const QList<Member>& members, uint32_t version, Matching matching)
{
    return LzhPackage(SkinPayload(members, version), matching);
}

} // namespace skinbuilder
