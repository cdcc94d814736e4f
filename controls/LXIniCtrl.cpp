#include "controls/LXIniCtrl.h"

#include "controls/LXApplication.h"
#include "controls/LXGeneral.h"
#include "controls/LXStrings.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"

#include <QCoreApplication>

namespace {

const QString RootSection = QStringLiteral("#ROOT");
const QString IniExtension = QStringLiteral(".INI");

} // namespace

TLXRegIniFile::TLXRegIniFile(TLXRegRootKey root, const QString& key, bool readOnly, const QString& storePath)
    : registry_(storePath), root_(static_cast<platform::RegistryRoot>(root)), key_(key), readOnly_(readOnly)
{
    if (readOnly_)
        open_ = registry_.KeyExists(root_, key_);
    else
        registry_.CreateKey(root_, key_);
}

QString TLXRegIniFile::KeyOf(const QString& section) const
{
    return section.isEmpty() ? key_ : AddBackslash(key_) + section;
}

std::optional<QString> TLXRegIniFile::ReadValue(const QString& section, const QString& ident) const
{
    if (!open_)
        return std::nullopt;
    return registry_.ReadValue(root_, KeyOf(section), ident);
}

QString TLXRegIniFile::ReadString(const QString& section, const QString& ident,
                                  const QString& defaultValue) const
{
    return ReadValue(section, ident).value_or(defaultValue);
}

void TLXRegIniFile::WriteString(const QString& section, const QString& ident, const QString& value)
{
    registry_.WriteValue(root_, KeyOf(section), ident, value);
}

void TLXRegIniFile::DeleteKey(const QString& section, const QString& ident)
{
    registry_.DeleteValue(root_, KeyOf(section), ident);
}

void TLXIniCtrl::SetIniFile(const QString& name)
{
    iniFile_ = !name.isEmpty() && platform::FileExtension(platform::ToNativeSeparators(name)).isEmpty()
                   ? name + IniExtension
                   : name;
}

void TLXIniCtrl::SetNetUser(bool netUser)
{
    netUser_ = netUser;
    if (netUser_)
        user_ = UserName();
}

void TLXIniCtrl::SetAlphaCounter(bool alphaCounter)
{
    alphaCounter_ = alphaCounter;
    if (alphaCounter_ && maxEntries_ > 26)
        maxEntries_ = 26;
}

void TLXIniCtrl::SetMaxEntries(uint8_t maxEntries)
{
    if (!alphaCounter_ || maxEntries <= 26)
        maxEntries_ = maxEntries;
}

QString TLXIniCtrl::UserName() const
{
    return CurrentUserName();
}

QString TLXIniCtrl::IniFilePath() const
{
    QString name = platform::ToNativeSeparators(iniFile_);
    if (name.isEmpty()) {
        const QString program = QCoreApplication::applicationFilePath();
        name = program.left(program.size() - platform::FileExtension(program).size()) + IniExtension;
    }
    if (iniPrefix_ == ppFixed)
        return name;
    return PathPrefix(iniPrefix_, true) + platform::FileNamePart(name);
}

QString TLXIniCtrl::RegistryKey() const
{
    return IsBlankText(regPath_) ? LXApplication().RegistryPath() : AddBackslash(regPath_);
}

QString TLXIniCtrl::SectionName(const QString& section)
{
    // A blank section is the stored section of the last call; the user prefix is not added twice.
    if (IsBlankText(section) && lastSection_)
        return *lastSection_;
    const QString name = IsBlankText(section) ? QStringLiteral("Common") : section;
    QString result;
    if (!UsesRegistry())
        result = common_ ? name : (netUser_ ? UserName() : user_) + u'.' + name;
    else
        result = name == RootSection ? QString() : name;
    lastSection_ = result;
    return result;
}

// Scrambled bytes may be NUL, CR or LF, which no INI line or registry text keeps: they are stored as
// hexadecimal text.
QString TLXIniCtrl::EncodeValue(const QString& value) const
{
    return encoded_ ? QString::fromLatin1(EncodeText(value.toUtf8(), encKey_).toHex().toUpper()) : value;
}

QString TLXIniCtrl::DecodeValue(const QString& stored) const
{
    return encoded_ ? QString::fromUtf8(DecodeText(QByteArray::fromHex(stored.toLatin1()), encKey_)) : stored;
}

QString TLXIniCtrl::ReadString(const QString& section, const QString& ident, const QString& defaultValue)
{
    const QString name = SectionName(section);
    std::optional<QString> stored;
    if (UsesRegistry()) {
        stored = TLXRegIniFile(regRoot_, RegistryKey(), true).ReadValue(name, ident);
    } else {
        const platform::IniFile ini(IniFilePath());
        if (ini.ValueExists(name, ident))
            stored = ini.ReadString(name, ident, QString());
    }
    return stored ? DecodeValue(*stored) : defaultValue;
}

void TLXIniCtrl::WriteString(const QString& section, const QString& ident, const QString& value)
{
    const QString name = SectionName(section);
    if (UsesRegistry())
        TLXRegIniFile(regRoot_, RegistryKey(), false).WriteString(name, ident, EncodeValue(value));
    else
        platform::IniFile(IniFilePath()).WriteString(name, ident, EncodeValue(value));
}

void TLXIniCtrl::DeleteKey(const QString& section, const QString& ident)
{
    const QString name = SectionName(section);
    if (UsesRegistry())
        TLXRegIniFile(regRoot_, RegistryKey(), false).DeleteKey(name, ident);
    else
        platform::IniFile(IniFilePath()).DeleteKey(name, ident);
}
