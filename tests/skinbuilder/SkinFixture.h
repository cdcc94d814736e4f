#pragma once
// A whole skin made from scratch: its description (INI sections and keys) and its signature bitmaps,
// packed as a package. StandardFixture() covers every section the skin description reads; tests make
// their variants by editing it (drop a section, change a key, LF-only lines, another version word).
#include "skinbuilder/LzhEncoder.h"
#include "skinbuilder/SignatureImage.h"
#include "skinbuilder/SkinPayload.h"

#include <QList>
#include <QPair>
#include <QString>

namespace skinbuilder {

struct IniSection {
    QString name;
    QList<QPair<QString, QString>> keys;
};

class SkinFixture {
public:
    static constexpr const char* IniName = "fixture.ini";

    QList<IniSection> sections;
    QList<ImageLayout> images; // each becomes a member
    uint32_t version = 20000;
    bool lfOnly = false; // LF alone ends each line of the description, instead of CR LF

    IniSection* Section(const QString& name);
    ImageLayout* Image(const QString& file);
    // Sets the key (appended when missing); the section is appended when missing.
    void SetKey(const QString& section, const QString& key, const QString& value);
    void RemoveKey(const QString& section, const QString& key);
    void DropSection(const QString& name);

    QString IniText() const;
    // The description first, then the bitmaps in their order.
    QList<Member> Members() const;
    QByteArray Package(Matching matching = Matching::Greedy) const;
};

// The fixture of the skin tests: borders, title, menu bar, colours, caption buttons, push, check and
// radio buttons, and the generic sections, each image with an object id of its own.
SkinFixture StandardFixture();

} // namespace skinbuilder
