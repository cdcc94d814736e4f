#include "menus/PMImageList.h"

#include "menus/PMPlatform.h"
#include "platform_gui/Canvas.h"

TCustomImageList::TCustomImageList(int width, int height, QObject* owner)
    : QObject(owner), width_(width), height_(height)
{
}

TCustomImageList::~TCustomImageList()
{
    const std::vector<TPMImageChangeLink*> links = links_;
    for (TPMImageChangeLink* link : links) {
        link->images_ = nullptr;
        if (link->OnFreed)
            link->OnFreed();
    }
}

int TCustomImageList::Add(const QImage& image)
{
    images_.append(image.size() == QSize(width_, height_) ? image : image.scaled(width_, height_));
    Changed();
    return Count() - 1;
}

void TCustomImageList::SetSize(int width, int height)
{
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    images_.clear();
    Changed();
}

void TCustomImageList::Draw(platform::TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    QImage image = images_.at(index);
    if (!enabled)
        image = image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_ARGB32);
    canvas.CopyRect(platform::Bounds(x, y, width_, height_), image, platform::Rect(0, 0, width_, height_));
}

void TCustomImageList::RegisterChanges(TPMImageChangeLink* link)
{
    AddIfAbsent(links_, link);
}

void TCustomImageList::UnRegisterChanges(TPMImageChangeLink* link)
{
    RemoveFromList(links_, link);
}

void TCustomImageList::Changed()
{
    const std::vector<TPMImageChangeLink*> links = links_;
    for (TPMImageChangeLink* link : links)
        if (link->OnChange)
            link->OnChange();
}

TPMImageChangeLink::~TPMImageChangeLink()
{
    SetImages(nullptr);
}

void TPMImageChangeLink::SetImages(TCustomImageList* images)
{
    if (images_ != nullptr)
        images_->UnRegisterChanges(this);
    images_ = images;
    if (images_ != nullptr) {
        images_->RegisterChanges(this);
        width = images_->Width();
        height = images_->Height();
    }
}
