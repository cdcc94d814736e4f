#pragma once
// One folder page: the audio files of its folders in a list that runs down and on into the next
// column, each drawn with its name and length, and the list of those folders. The page owns the
// records of its files.
#include "audioinfo/FolderListing.h"
#include "audioinfo/OFileData.h"

#include <QListView>
#include <QSet>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <memory>

namespace platform {
class TPageControl;
}
class TFolderFilesModel;
class QPainter;

// The page's list: newspaper columns, a fixed item height, no type-to-select.
class TFolderListView : public QListView {
    Q_OBJECT
public:
    explicit TFolderListView(QWidget* parent);
    void SetColumns(int columns);
    int Columns() const { return columns_; }
    void SetItemHeight(int height);
    int ItemHeight() const { return itemHeight_; }
    void keyboardSearch(const QString&) override {}

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateGrid();

    int columns_ = 3;
    int itemHeight_ = 14;
};

class TTabFolder : public QWidget {
    Q_OBJECT
public:
    // Inserted into the page control as its last page.
    TTabFolder(int imageIndex, platform::TPageControl* pageControl, const QString& caption);
    ~TTabFolder() override;

    // Names this page in work handed across threads; never reused in the process.
    uint64_t Token() const { return token_; }
    int ImageIndex() const { return imageIndex_; }
    QString Caption() const { return windowTitle(); }
    // An empty name changes nothing and gives false.
    bool Rename(const QString& name);

    void SetColumns(int columns);
    int Columns() const;
    void SetItemHeight(int height);

    // The item's text is the record's Name.
    void AddFileData(std::unique_ptr<TOFileData> data);
    void AddFiles(FolderFileList&& files);
    void ClearItems();
    int ItemCount() const;
    int SelCount() const;
    int ItemIndex() const; // the focused item, -1 when none
    TOFileData* GetFileData(int index) const;
    // Clears the list and adds the selected items' indexes in ascending order, as decimal text.
    void GetSelected(QStringList& list) const;
    void SelectAll();
    void Refresh();

    // No duplicates, compared without regard to case; a path not listed is ignored by RemoveFolder.
    void AddFolder(const QString& path);
    bool RemoveFolder(const QString& path);
    QString GetFolder(int index) const { return folders_.value(index); }
    void SetFolder(int index, const QString& path);
    int FolderCount() const { return int(folders_.size()); }
    const QStringList& Folders() const { return folders_; }

    TFolderListView* List() const { return list_; }

    // One list item: the display name and the length on the folders roles' fonts and colours, and the
    // settings' list lines.
    void DrawItem(QPainter& painter, int index, const QRect& rect, bool selected) const;

private:
    uint64_t token_;
    int imageIndex_;
    QStringList folders_;
    // The folders without regard to case, so a page of many folders checks each added one at once.
    QSet<QString> folderKeys_;
    TFolderFilesModel* model_;
    TFolderListView* list_;
};
