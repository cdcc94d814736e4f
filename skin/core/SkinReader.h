#pragma once
// The skin package container: a ".skn" file is a 4-byte decoded length and the LZHUF-coded payload,
// which holds a version header, the member names (one line each), their sizes and their bytes. The
// reader checks all of it before it keeps anything, so a damaged package can neither crash the
// program nor replace a skin that works.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

enum class SkinPackageStatus { Opened, OldVersion, Damaged };

// What Open made of a package. The reader shows nothing: a caller with windows shows the
// old-version message as the user must see it, and logs or shows the rest.
struct SkinPackageResult {
    SkinPackageStatus status = SkinPackageStatus::Damaged;
    QString message; // OldSkinMessage, or what is damaged; empty once opened
    explicit operator bool() const { return status == SkinPackageStatus::Opened; }
};

// The text the user sees for a package of another version, a CR between its two lines.
inline const QString OldSkinMessage =
    QStringLiteral("This is Older Skin File\rPlease update to new version !");

// "Damaged skin package: " and why.
QString DamagedSkinMessage(const QString& why);

class TSkinReader {
public:
    static constexpr uint32_t PackageVersion = 20000;
    // No skin comes near this; a larger declared payload is damage, not something to allocate.
    static constexpr size_t MaxPayload = 64 * 1024 * 1024;

    // Decompresses and checks the package; on failure the reader keeps what it held before. The
    // decoder's ElzhException passes through when memory runs out.
    SkinPackageResult Open(QByteArrayView package);

    // The member of that name in any case (the names are kept lower-cased); empty when missing.
    QByteArray ExtractByName(const QString& name) const;
    // The first member whose lower-cased name contains text as given; name receives the member's
    // name and keeps its value when none does.
    QByteArray ExtractByPart(const QString& text, QString& name) const;

    const QStringList& Names() const { return names_; }

private:
    QByteArray Member(qsizetype index) const;

    QStringList names_;
    QList<qsizetype> offsets_; // of each member in payload_, and the end of the last
    std::vector<uint8_t> payload_;
};
