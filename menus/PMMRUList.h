#pragma once
// A short list of recently used file or folder names, newest first, mirrored as menu entries with
// numbered accelerators; a TPMMRUListItem shows those entries in place inside a menu.
#include "menus/PMCustomItem.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class TPMMRUList;

// The names of a list; every change keeps the list's container entries in step, one per name.
class TPMMRUListStrings {
public:
    explicit TPMMRUListStrings(TPMMRUList* list) : list_(list) {}

    int Count() const { return static_cast<int>(names_.size()); }
    QString Get(int index) const;
    QStringList Names() const { return names_; }
    void Put(int index, const QString& name);
    void Insert(int index, const QString& name);
    void Delete(int index);
    void Move(int from, int to);
    void Clear();
    // Names compare as Linux compares file names: letter case counts.
    int IndexOf(const QString& name) const;

private:
    void CheckIndex(int index, int count) const;
    void Changed();

    TPMMRUList* list_;
    QStringList names_;
};

class TPMMRUList : public QObject {
    Q_OBJECT
public:
    explicit TPMMRUList(QObject* owner = nullptr);
    ~TPMMRUList() override;

    bool AddFullPath = true;
    bool HidePathExtension() const { return hidePathExtension_; }
    void SetHidePathExtension(bool value);
    int MaxItems() const { return maxItems_; }
    void SetMaxItems(int value);
    TPMMRUListStrings& Items() { return items_; }
    // Replaces the names by the lines, each through Insert.
    void SetItems(const QStringList& lines);
    // Kept with the list; nothing reads it.
    QString Prefix = QStringLiteral("MRU");

    std::function<void(TPMMRUList* sender, const QString& fileName)> OnClick;
    std::function<void(TPMMRUList* sender)> OnChange;

    // Puts the name first: a new name is inserted, a known one moves up and takes the new spelling.
    void Add(const QString& name);
    // The item whose children are the entries.
    TPMCustomItem* Container() const { return container_; }
    // Trims the list to MaxItems and renews every entry's caption.
    void RebuildCaptions();

private:
    friend class TPMMRUListStrings;
    TPMCustomItem* NewEntry();
    void EntryClicked(TPMCustomItem* entry);
    QString CaptionFor(int index) const;

    TPMMRUListStrings items_{this};
    TPMCustomItem* container_;
    bool hidePathExtension_ = true;
    int maxItems_ = 4;
    bool trimming_ = false;
};

// Shows a list's entries in place of itself in the menu that holds it.
class TPMMRUListItem : public TPMCustomItem {
    Q_OBJECT
public:
    explicit TPMMRUListItem(QObject* owner = nullptr);

    TPMMRUList* MRUList() const { return mruList_; }
    void SetMRUList(TPMMRUList* list);

private:
    QPointer<TPMMRUList> mruList_;
    QMetaObject::Connection freeing_;
};
