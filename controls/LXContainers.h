#pragma once
// Containers of reusable media: lists of bitmaps, image strips, string lists and waves, each item
// with a description and an ident, written to and read from streams. Clients follow a container
// through a change link; image containers answer one interface by list index and image index. One
// global container with one list of each kind lives while the library does.
#include "controls/LXBitmapDraw.h"
#include "controls/LXColorRamp.h"
#include "controls/LXImageStrip.h"
#include "controls/LXListItem.h"
#include "controls/LXWave.h"
#include "platform_gui/Bitmap.h"

#include <QIODevice>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class TLXBaseContainer;

// Connects a client to a container: the container calls OnChange with itself; a link destroyed
// first leaves the container's list.
class TLXChangeLink {
public:
    TLXChangeLink() = default;
    ~TLXChangeLink();
    TLXChangeLink(const TLXChangeLink&) = delete;
    TLXChangeLink& operator=(const TLXChangeLink&) = delete;

    TLXBaseContainer* Sender() const { return sender_; }
    void Change();
    std::function<void(TLXBaseContainer* sender)> OnChange;

private:
    friend class TLXBaseContainer;
    QPointer<TLXBaseContainer> sender_;
};

class TLXBaseContainer : public TLXCustomComponent {
    Q_OBJECT
public:
    using TLXCustomComponent::TLXCustomComponent;
    ~TLXBaseContainer() override;
    void RegisterChanges(TLXChangeLink* link);
    void UnregisterChanges(TLXChangeLink* link);
    // Every link, then OnChange; nothing while updating.
    void Changed() override;

protected:
    void NotifyLinks();

private:
    std::vector<TLXChangeLink*> links_;
};

class TLXCustomContainer : public TLXBaseContainer {
    Q_OBJECT
public:
    enum TListKind { lkImageList = 0, lkBitmapList = 1, lkWaveList = 2, lkStringList = 3 };
    ~TLXCustomContainer() override;

    TListKind ListKind() const { return kind_; }
    virtual int Count() const { return static_cast<int>(items_.size()); }
    virtual bool IsEmpty() const { return items_.isEmpty(); }
    // Null outside the list.
    virtual TLXListItem* Items(int index) const;
    // A new item of the list's class at the end (compressed and pixel format by the defaults).
    TLXListItem* Add();
    // Frees every item and notifies.
    void Clear();

    bool DefaultCompressed() const { return defaultCompressed_; }
    void SetDefaultCompressed(bool value) { defaultCompressed_ = value; }
    TLXSavePixelFormat DefaultPixelFormat() const { return defaultPixelFormat_; }
    void SetDefaultPixelFormat(TLXSavePixelFormat value) { defaultPixelFormat_ = value; }

    // The count, with an index the items' absolute positions, then the items. A stream that does
    // not hold a sound container raises EReadError and leaves the list empty; either way the
    // container notifies once.
    void LoadFromStream(QIODevice& stream, bool withIndex);
    void SaveToStream(QIODevice& stream, bool withIndex) const;
    // From a container of the same class: the defaults and a copy of every item, one notification.
    void Assign(const TLXCustomContainer& source);

    // An item's change: the links, then OnChange with the item as sender.
    void ItemChanged(TLXListItem* item);

protected:
    TLXCustomContainer(TListKind kind, QObject* owner);
    virtual TLXListItem* CreateItem() = 0;

private:
    friend class TLXListItem;
    void Forget(TLXListItem* item);
    void FreeItems();

    TListKind kind_;
    QList<TLXListItem*> items_;
    bool defaultCompressed_ = false;
    TLXSavePixelFormat defaultPixelFormat_ = spfDefault;
};

// Images by list index and image index, whatever holds them.
class TLXCustomImageList : public TLXCustomContainer {
    Q_OBJECT
public:
    // Null beyond the list.
    virtual platform::TCanvas* ImageCanvas(int list) = 0;
    virtual platform::TRect ImageRect(int list, int image) const = 0;
    // Which 0 the width, 1 the height; 0 beyond the list.
    virtual int ImageSize(int list, int which) const = 0;
    virtual int ImageCount(int list) const = 0;
    virtual bool IsValid(int list, int image) const = 0;
    virtual void GetBitmap(int list, int image, platform::TBitmap& bitmap) const = 0;
    virtual bool IsMasked(int list) const = 0;
    // Pictures are true colour here: no palette.
    virtual std::optional<TLXPalette> ImagePalette(int list) const = 0;
    virtual platform::TColor TransparentColor(int list, int image) const = 0;
    virtual platform::TColor PixelAt(platform::TPoint point, int list, int image) const = 0;
    virtual void Draw(platform::TCanvas& canvas, int x, int y, int list, int image) = 0;
    virtual void DrawExt(platform::TCanvas& canvas, const platform::TRect& rect, platform::TRect& painted,
                         int list, int image, unsigned flags) = 0;
    virtual void DrawClipped(platform::TCanvas& canvas, const platform::TRect& rect, int list, int image,
                             platform::TColor color, int clipOffset, unsigned flags) = 0;

protected:
    using TLXCustomContainer::TLXCustomContainer;
};

class TLXBitmapList : public TLXCustomImageList {
    Q_OBJECT
public:
    explicit TLXBitmapList(QObject* owner = nullptr);
    TLXBitmapListItem* Item(int list) const;

    platform::TCanvas* ImageCanvas(int list) override;
    platform::TRect ImageRect(int list, int image) const override;
    int ImageSize(int list, int which) const override;
    int ImageCount(int list) const override;
    bool IsValid(int list, int image) const override;
    void GetBitmap(int list, int image, platform::TBitmap& bitmap) const override;
    bool IsMasked(int) const override { return false; }
    std::optional<TLXPalette> ImagePalette(int) const override { return std::nullopt; }
    platform::TColor TransparentColor(int list, int image) const override;
    platform::TColor PixelAt(platform::TPoint point, int list, int image) const override;
    void Draw(platform::TCanvas& canvas, int x, int y, int list, int image) override;
    void DrawExt(platform::TCanvas& canvas, const platform::TRect& rect, platform::TRect& painted, int list,
                 int image, unsigned flags) override;
    void DrawClipped(platform::TCanvas& canvas, const platform::TRect& rect, int list, int image,
                     platform::TColor color, int clipOffset, unsigned flags) override;

protected:
    TLXListItem* CreateItem() override;
};

class TLXImageList : public TLXCustomImageList {
    Q_OBJECT
public:
    explicit TLXImageList(QObject* owner = nullptr);
    TLXImageListItem* Item(int list) const;

    platform::TCanvas* ImageCanvas(int list) override;
    platform::TRect ImageRect(int list, int image) const override;
    int ImageSize(int list, int which) const override;
    // -1 beyond the list.
    int ImageCount(int list) const override;
    bool IsValid(int list, int image) const override;
    void GetBitmap(int list, int image, platform::TBitmap& bitmap) const override;
    bool IsMasked(int list) const override;
    std::optional<TLXPalette> ImagePalette(int) const override { return std::nullopt; }
    // 0xFFFFFF beyond the list.
    platform::TColor TransparentColor(int list, int image) const override;
    platform::TColor PixelAt(platform::TPoint point, int list, int image) const override;
    void Draw(platform::TCanvas& canvas, int x, int y, int list, int image) override;
    void DrawExt(platform::TCanvas& canvas, const platform::TRect& rect, platform::TRect& painted, int list,
                 int image, unsigned flags) override;
    void DrawClipped(platform::TCanvas& canvas, const platform::TRect& rect, int list, int image,
                     platform::TColor color, int clipOffset, unsigned flags) override;

protected:
    TLXListItem* CreateItem() override;
};

class TLXStringList : public TLXCustomContainer {
    Q_OBJECT
public:
    explicit TLXStringList(QObject* owner = nullptr);
    TLXStringListItem* Item(int list) const;

protected:
    TLXListItem* CreateItem() override;
};

class TLXWaveList : public TLXCustomContainer {
    Q_OBJECT
public:
    explicit TLXWaveList(QObject* owner = nullptr);
    TLXWaveListItem* Item(int list) const;

protected:
    TLXListItem* CreateItem() override;
};

// One list of each kind.
class TLXContainer : public TLXBaseContainer {
    Q_OBJECT
public:
    explicit TLXContainer(QObject* owner = nullptr);
    TLXBitmapList& BitmapList() { return *bitmaps_; }
    TLXImageList& ImageList() { return *images_; }
    TLXStringList& StringList() { return *strings_; }
    TLXWaveList& WaveList() { return *waves_; }

private:
    TLXBitmapList* bitmaps_;
    TLXImageList* images_;
    TLXStringList* strings_;
    TLXWaveList* waves_;
};

// The library's global container while a ControlLibrary scope lives; null otherwise.
TLXContainer* GlobalContainer();
void SetGlobalContainer(TLXContainer* container);

// How a control stores an image list that is one of the global container's: "LXBML30" for its
// bitmap list, "LXIML30" for its image list, else empty; and back (any other text gives null).
QString ImageListReference(const TLXCustomImageList* list);
TLXCustomImageList* ImageListFromReference(const QString& reference);
