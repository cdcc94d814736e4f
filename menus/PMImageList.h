#pragma once
// The image list an item or a menu draws its entry images from: images of one size, and the change
// links through which items follow the list.
#include <QImage>
#include <QList>
#include <QObject>

#include <functional>
#include <vector>

class TPMImageChangeLink;

namespace platform {
class TCanvas;
}

class TCustomImageList : public QObject {
    Q_OBJECT
public:
    TCustomImageList(int width, int height, QObject* owner = nullptr);
    ~TCustomImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }
    // Adds the image scaled to the list's size; its index.
    int Add(const QImage& image);
    // A new size empties the list.
    void SetSize(int width, int height);
    // The image with its top-left at (x, y); greyed when not enabled.
    void Draw(platform::TCanvas& canvas, int x, int y, int index, bool enabled) const;

    void RegisterChanges(TPMImageChangeLink* link);
    void UnRegisterChanges(TPMImageChangeLink* link);

private:
    void Changed();

    int width_;
    int height_;
    QList<QImage> images_;
    std::vector<TPMImageChangeLink*> links_;
};

// An item's hold on a list: told of each change, and of the list being freed.
class TPMImageChangeLink {
public:
    TPMImageChangeLink() = default;
    ~TPMImageChangeLink();
    TPMImageChangeLink(const TPMImageChangeLink&) = delete;
    TPMImageChangeLink& operator=(const TPMImageChangeLink&) = delete;

    TCustomImageList* Images() const { return images_; }
    // Leaves the old list and joins the new one, remembering its size.
    void SetImages(TCustomImageList* images);

    int width = 0; // the list's size when last seen
    int height = 0;
    std::function<void()> OnChange;
    std::function<void()> OnFreed;

private:
    friend class TCustomImageList;
    TCustomImageList* images_ = nullptr;
};
