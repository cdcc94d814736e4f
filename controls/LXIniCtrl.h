#pragma once
// A settings store reading, writing and deleting string values in an INI file or in the registry,
// with optional per-user sections and scrambled values. The store is opened for each call only.
#include "controls/LXObjects.h"
#include "controls/LXTypes.h"
#include "platform/Registry.h"

#include <QString>
#include <cstdint>
#include <optional>

// A registry key read like an INI file: a section is a subkey ("" the key itself), an ident a value
// name. Read-only it opens only a key that exists; read-write it creates the key.
class TLXRegIniFile {
public:
    TLXRegIniFile(TLXRegRootKey root, const QString& key, bool readOnly,
                  const QString& storePath = platform::StationRegistryPath());

    // False for a read-only open of a missing key.
    bool IsOpen() const { return open_; }
    std::optional<QString> ReadValue(const QString& section, const QString& ident) const;
    QString ReadString(const QString& section, const QString& ident, const QString& defaultValue) const;
    // platform::RegistryError when the store cannot be written.
    void WriteString(const QString& section, const QString& ident, const QString& value);
    void DeleteKey(const QString& section, const QString& ident);

private:
    QString KeyOf(const QString& section) const;

    platform::Registry registry_;
    platform::RegistryRoot root_;
    QString key_;
    bool readOnly_;
    bool open_ = true;
};

class TLXIniCtrl : public TLXCustomComponent {
    Q_OBJECT
public:
    using TLXCustomComponent::TLXCustomComponent;

    static constexpr uint16_t DefaultEncKey = 40913;

    TLXIniTarget Target() const { return target_; }
    void SetTarget(TLXIniTarget target) { target_ = target; }
    bool UsesRegistry() const { return target_ != itIniFile; }
    QString IniFile() const { return iniFile_; }
    // A name without an extension gets ".INI".
    void SetIniFile(const QString& name);
    TLXPathPrefix IniPrefix() const { return iniPrefix_; }
    void SetIniPrefix(TLXPathPrefix prefix) { iniPrefix_ = prefix; }
    TLXRegRootKey RegRoot() const { return regRoot_; }
    void SetRegRoot(TLXRegRootKey root) { regRoot_ = root; }
    QString RegPath() const { return regPath_; }
    void SetRegPath(const QString& path) { regPath_ = path; }
    bool Common() const { return common_; }
    void SetCommon(bool common) { common_ = common; }
    bool NetUser() const { return netUser_; }
    // Switching on fills User with the logged-on user's name.
    void SetNetUser(bool netUser);
    QString User() const { return user_; }
    void SetUser(const QString& user) { user_ = user; }
    bool Encoded() const { return encoded_; }
    void SetEncoded(bool encoded) { encoded_ = encoded; }
    uint16_t EncKey() const { return encKey_; }
    void SetEncKey(uint16_t key) { encKey_ = key; }
    bool AlphaCounter() const { return alphaCounter_; }
    // Switching on lowers MaxEntries to 26.
    void SetAlphaCounter(bool alphaCounter);
    int MaxEntries() const { return maxEntries_; }
    // Above 26 is refused while AlphaCounter is on.
    void SetMaxEntries(uint8_t maxEntries);

    // Default, exactly as given, when the value is absent.
    QString ReadString(const QString& section, const QString& ident, const QString& defaultValue);
    void WriteString(const QString& section, const QString& ident, const QString& value);
    void DeleteKey(const QString& section, const QString& ident);

    // The INI file used: the program's path with ".INI" when IniFile is empty; IniFile itself with
    // ppFixed, else its file name in the prefix's folder.
    QString IniFilePath() const;
    // RegPath with a trailing "\", or the application's registry path when RegPath is blank.
    QString RegistryKey() const;
    // The section as stored (see the INI and registry rules); remembered as the last one used, which a
    // blank section then stands for.
    QString SectionName(const QString& section);

protected:
    virtual QString UserName() const;

private:
    QString EncodeValue(const QString& value) const;
    QString DecodeValue(const QString& stored) const;

    TLXIniTarget target_ = itAuto;
    QString iniFile_;
    TLXPathPrefix iniPrefix_ = ppWindows;
    TLXRegRootKey regRoot_ = rpCurrentUser;
    QString regPath_;
    bool common_ = true;
    bool netUser_ = false;
    QString user_;
    bool encoded_ = false;
    uint16_t encKey_ = DefaultEncKey;
    bool alphaCounter_ = false;
    uint8_t maxEntries_ = 16;
    std::optional<QString> lastSection_;
};
