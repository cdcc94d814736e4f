#pragma once
// The translation component every translated window carries. A language file is an INI file:
//   [translations]  property path = text, e.g. "FMain.TSSound.Caption=Sound"
//   [Messages]      message key = text
// A path names a top-level window by objectName, then descendants by objectName at any depth
// (case-insensitive), and ends with a property: Caption, Items, Hint, Text or any Qt property.
#include <QString>
#include <QStringList>

#include <functional>

class QObject;

class TLanguage {
public:
    using NotifyEvent = std::function<void(TLanguage& sender)>;
    // Called before each property is set; may change newValue.
    using TranslateEvent =
        std::function<void(TLanguage& sender, QObject* component, const QString& propertyName,
                           const QString& oldValue, QString& newValue)>;

    QString LanguageFile;
    QStringList Properties; // property paths, one per entry
    NotifyEvent OnBeforeTranslation;
    NotifyEvent OnAfterTranslation;
    TranslateEvent OnTranslate;

    // Separates the items of a list value; a blank separator stores ",".
    const QString& Separator() const { return separator_; }
    void SetSeparator(const QString& separator);

    // Sets every listed property that has a non-empty entry in [translations] of LanguageFile. A path
    // that names no existing component or property is skipped; so is a value that does not fit its
    // property (a non-number for an integer), and translation goes on with the next path.
    void Translate();

    // The key's text in [Messages]; the key itself when the key or the file is missing. The file is
    // parsed once for all components and again only when another file is named or its bytes change.
    QString GetText(const QString& key) const;

    // Sets one property from a text by the property's kind: a string as it is, an integer converted
    // (skipped when the text is not a whole number), a list split at Separator.
    void SetPropertyValue(QObject* component, const QString& propertyName, const QString& value) const;

    // The first descendant, at any depth, whose objectName equals name without regard to case; for the
    // application object, the first such top-level window. Null for a null component or no match.
    static QObject* FindChild(QObject* component, const QString& name);

private:
    QString separator_ = QStringLiteral(",");

    void TranslatePath(const QString& path, QString value);
};
