#include "foundation_gui/Language.h"

#include "foundation/Strings.h"
#include "platform/IniFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMetaProperty>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>

#include <memory>

namespace {

const QString kTranslations = QStringLiteral("translations");
const QString kMessages = QStringLiteral("Messages");

// How one named property of one object is read and written as text or as a list of items.
struct PropertyAccess {
    enum class Kind { None, String, Integer, List };
    Kind kind = Kind::None;
    std::function<QVariant()> read;
    std::function<void(const QVariant&)> write;
};

PropertyAccess QtProperty(QObject* object, const char* name)
{
    const QMetaObject* meta = object->metaObject();
    const int index = meta->indexOfProperty(name);
    if (index < 0)
        return {};
    const QMetaProperty property = meta->property(index);
    if (!property.isWritable())
        return {};
    PropertyAccess access;
    switch (property.metaType().id()) {
    case QMetaType::QString:
        access.kind = PropertyAccess::Kind::String;
        break;
    case QMetaType::Int:
        access.kind = PropertyAccess::Kind::Integer;
        break;
    case QMetaType::QStringList:
        access.kind = PropertyAccess::Kind::List;
        break;
    default:
        return {}; // language files hold texts, numbers and lists only
    }
    access.read = [object, property] { return property.read(object); };
    access.write = [object, property](const QVariant& value) { property.write(object, value); };
    return access;
}

// Qt's properties are case-sensitive; paths in language files are not.
PropertyAccess QtPropertyByName(QObject* object, const QString& name)
{
    const QMetaObject* meta = object->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const char* candidate = meta->property(i).name();
        if (QString::compare(QLatin1String(candidate), name, Qt::CaseInsensitive) == 0)
            return QtProperty(object, candidate);
    }
    return {};
}

PropertyAccess TextAccess(std::function<QString()> get, std::function<void(const QString&)> set)
{
    return {PropertyAccess::Kind::String, [get] { return QVariant(get()); },
            [set](const QVariant& value) { set(value.toString()); }};
}

PropertyAccess ListAccess(std::function<QStringList()> get, std::function<void(const QStringList&)> set)
{
    return {PropertyAccess::Kind::List, [get] { return QVariant(get()); },
            [set](const QVariant& value) { set(value.toStringList()); }};
}

QTabWidget* TabWidgetOfPage(QWidget* page)
{
    auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    return tabs && tabs->indexOf(page) >= 0 ? tabs : nullptr;
}

PropertyAccess CaptionAccess(QObject* object)
{
    // A control that paints a caption of its own says so with its own Caption property.
    if (PropertyAccess own = QtPropertyByName(object, QStringLiteral("Caption"));
        own.kind != PropertyAccess::Kind::None)
        return own;
    if (auto* widget = qobject_cast<QWidget*>(object)) {
        if (QTabWidget* tabs = TabWidgetOfPage(widget))
            return TextAccess(
                [tabs, widget] { return tabs->tabText(tabs->indexOf(widget)); },
                [tabs, widget](const QString& text) { tabs->setTabText(tabs->indexOf(widget), text); });
    }
    if (qobject_cast<QAbstractButton*>(object) || qobject_cast<QLabel*>(object) ||
        qobject_cast<QAction*>(object))
        return QtProperty(object, "text");
    if (qobject_cast<QGroupBox*>(object) || qobject_cast<QMenu*>(object))
        return QtProperty(object, "title");
    if (auto* widget = qobject_cast<QWidget*>(object); widget && widget->isWindow())
        return QtProperty(object, "windowTitle");
    return {};
}

QList<QRadioButton*> RadioButtonsOf(QObject* object)
{
    return object->findChildren<QRadioButton*>();
}

PropertyAccess ItemsAccess(QObject* object)
{
    if (auto* combo = qobject_cast<QComboBox*>(object)) {
        return ListAccess(
            [combo] {
                QStringList items;
                for (int i = 0; i < combo->count(); ++i)
                    items.append(combo->itemText(i));
                return items;
            },
            [combo](const QStringList& items) {
                const int current = combo->currentIndex();
                combo->clear();
                combo->addItems(items);
                combo->setCurrentIndex(current < combo->count() ? current : -1);
            });
    }
    if (auto* list = qobject_cast<QListWidget*>(object)) {
        return ListAccess(
            [list] {
                QStringList items;
                for (int i = 0; i < list->count(); ++i)
                    items.append(list->item(i)->text());
                return items;
            },
            [list](const QStringList& items) {
                const int current = list->currentRow();
                list->clear();
                list->addItems(items);
                list->setCurrentRow(current < list->count() ? current : -1);
            });
    }
    if (PropertyAccess own = QtPropertyByName(object, QStringLiteral("Items"));
        own.kind != PropertyAccess::Kind::None)
        return own;
    // A radio group: its buttons, in creation order, take the items; extra items have no button.
    if (!RadioButtonsOf(object).isEmpty()) {
        return ListAccess(
            [object] {
                QStringList items;
                for (QRadioButton* button : RadioButtonsOf(object))
                    items.append(button->text());
                return items;
            },
            [object](const QStringList& items) {
                const QList<QRadioButton*> buttons = RadioButtonsOf(object);
                for (qsizetype i = 0; i < buttons.size() && i < items.size(); ++i)
                    buttons[i]->setText(items[i]);
            });
    }
    return {};
}

PropertyAccess AccessProperty(QObject* object, const QString& name)
{
    if (name.compare(QLatin1String("Caption"), Qt::CaseInsensitive) == 0)
        return CaptionAccess(object);
    if (name.compare(QLatin1String("Items"), Qt::CaseInsensitive) == 0)
        return ItemsAccess(object);
    if (name.compare(QLatin1String("Hint"), Qt::CaseInsensitive) == 0)
        return QtProperty(object, "toolTip");
    if (name.compare(QLatin1String("Text"), Qt::CaseInsensitive) == 0)
        return QtProperty(object, "text");
    return QtPropertyByName(object, name);
}

// Every piece before a separator counts, even an empty one; only an empty last piece is dropped.
QStringList SplitItems(const QString& value, const QString& separator)
{
    QStringList items;
    qsizetype from = 0;
    for (qsizetype at = value.indexOf(separator); at >= 0; at = value.indexOf(separator, from)) {
        items.append(TrimBlanks(value.mid(from, at - from)));
        from = at + separator.size();
    }
    const QString rest = TrimBlanks(value.mid(from));
    if (!rest.isEmpty())
        items.append(rest);
    return items;
}

bool SameName(const QObject* object, const QString& name)
{
    return object->objectName().compare(name, Qt::CaseInsensitive) == 0;
}

// The language file every window's component reads, parsed once: a lookup only checks that the file
// is unchanged, and a language change (another file) parses the new one. GUI thread only.
const platform::IniFile& LanguageDocument(const QString& path)
{
    static std::unique_ptr<platform::IniFile> current;
    if (!current || current->FileName() != path)
        current = std::make_unique<platform::IniFile>(path);
    return *current;
}

} // namespace

void TLanguage::SetSeparator(const QString& separator)
{
    separator_ = TrimBlanks(separator).isEmpty() ? QStringLiteral(",") : separator;
}

void TLanguage::Translate()
{
    if (OnBeforeTranslation)
        OnBeforeTranslation(*this);
    const platform::IniFile& file = LanguageDocument(LanguageFile);
    const platform::IniReadPass pass(file);
    for (const QString& path : Properties) {
        if (TrimBlanks(path).isEmpty())
            continue;
        TranslatePath(path, file.ReadString(kTranslations, path, QString()));
    }
    if (OnAfterTranslation)
        OnAfterTranslation(*this);
}

// A failed lookup leaves nothing to set: the rest of the path is not applied halfway.
void TLanguage::TranslatePath(const QString& path, QString value)
{
    QObject* component = QCoreApplication::instance();
    QString rest = TrimBlanks(path);
    for (qsizetype dot = rest.indexOf(u'.'); dot >= 0; dot = rest.indexOf(u'.')) {
        component = FindChild(component, TrimBlanks(rest.left(dot)));
        rest = rest.mid(dot + 1);
    }
    const QString propertyName = TrimBlanks(rest);
    if (!component || value.isEmpty())
        return;
    if (OnTranslate) {
        const PropertyAccess access = AccessProperty(component, propertyName);
        QString oldValue;
        if (access.kind == PropertyAccess::Kind::List)
            oldValue = access.read().toStringList().join(separator_);
        else if (access.kind != PropertyAccess::Kind::None)
            oldValue = access.read().toString();
        OnTranslate(*this, component, propertyName, oldValue, value);
    }
    SetPropertyValue(component, propertyName, value);
}

QString TLanguage::GetText(const QString& key) const
{
    return LanguageDocument(LanguageFile).ReadString(kMessages, key, key);
}

void TLanguage::SetPropertyValue(QObject* component, const QString& propertyName, const QString& value) const
{
    if (!component)
        return;
    const PropertyAccess access = AccessProperty(component, propertyName);
    switch (access.kind) {
    case PropertyAccess::Kind::None:
        return;
    case PropertyAccess::Kind::String:
        access.write(value);
        return;
    case PropertyAccess::Kind::Integer: {
        // Language files are data: a bad number costs that one property, not the window.
        bool ok = false;
        const int number = value.toInt(&ok);
        if (ok)
            access.write(number);
        return;
    }
    case PropertyAccess::Kind::List:
        access.write(SplitItems(value, separator_));
        return;
    }
}

QObject* TLanguage::FindChild(QObject* component, const QString& name)
{
    if (!component)
        return nullptr;
    if (component == QCoreApplication::instance()) {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (SameName(window, name))
                return window;
        return nullptr;
    }
    for (QObject* child : component->findChildren<QObject*>())
        if (SameName(child, name))
            return child;
    return nullptr;
}
