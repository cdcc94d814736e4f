#include "library/SearchFiles.h"

#include "foundation/General.h"
#include "foundation/Options.h"
#include "foundation/Strings.h"
#include "foundation_gui/WindowHelpers.h"
#include "platform/Messages.h"
#include "playout/QueueMimeTypes.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QStringListModel>

#include <algorithm>

namespace {

// The hits as a drag source: the selected paths in list order, in the format the channel accepts.
class HitsModel : public QStringListModel {
public:
    using QStringListModel::QStringListModel;
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled
                               : Qt::NoItemFlags;
    }
    QStringList mimeTypes() const override { return {QLatin1String(SearchFilesMimeType)}; }
    QMimeData* mimeData(const QModelIndexList& indexes) const override
    {
        QModelIndexList rows = indexes;
        std::sort(rows.begin(), rows.end(),
                  [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
        QStringList paths;
        for (const QModelIndex& index : rows)
            paths.append(index.data().toString());
        auto* mime = new QMimeData;
        EncodeSearchFiles(*mime, paths);
        return mime;
    }
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }
};

} // namespace

TFSearchFiles::TFSearchFiles()
    : QDialog(nullptr, Qt::Window | Qt::WindowStaysOnTopHint),
      EInitialPath(Named(new QLineEdit(this), "EInitialPath")),
      BInitialPath(Named(new QPushButton(QStringLiteral("Initial path"), this), "BInitialPath")),
      EFileMask(Named(new QLineEdit(QStringLiteral("*.mp3;*.wav;*.ogg;*.wma"), this), "EFileMask")),
      LFileMask(Named(new QLabel(QStringLiteral("File mask"), this), "LFileMask")),
      CBSearchSubfolders(
          Named(new QCheckBox(QStringLiteral("Search in subfolders"), this), "CBSearchSubfolders")),
      BSearch(Named(new QPushButton(QStringLiteral("Search"), this), "BSearch")),
      BStop(Named(new QPushButton(QStringLiteral("Stop"), this), "BStop")),
      LBSearchFiles(Named(new QListView(this), "LBSearchFiles")), SB(Named(new QStatusBar(this), "SB")),
      SF(Named(new TmFileScan(this), "SF")), hits_(new HitsModel(this))
{
    setObjectName(QStringLiteral("FSearchFiles"));
    platform::RegisterWindow(this, QStringLiteral("TFSearchFiles"));
    setModal(false);
    setStyleSheet(QStringLiteral("QDialog { background: black; } QLabel, QCheckBox { color: lime; }"));
    CBSearchSubfolders->setChecked(true);
    BSearch->setDefault(true);
    BStop->setEnabled(false);
    LBSearchFiles->setModel(hits_);
    LBSearchFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LBSearchFiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LBSearchFiles->setDragEnabled(true);
    LBSearchFiles->setDragDropMode(QAbstractItemView::DragOnly);
    LBSearchFiles->setUniformItemSizes(true);
    LBSearchFiles->setFrameShape(QFrame::NoFrame);
    LBSearchFiles->setStyleSheet(QStringLiteral("QListView { color: lime; background: black; }"));
    SB->setSizeGripEnabled(false);
    // A status bar keeps its own face on the black window, or its black text would not show.
    SB->setStyleSheet(
        QStringLiteral("QStatusBar { background: palette(button); color: palette(button-text); }"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(EInitialPath, 0, 0, 1, 2);
    grid->addWidget(BInitialPath, 0, 2);
    grid->addWidget(LFileMask, 1, 0);
    grid->addWidget(EFileMask, 1, 1);
    grid->addWidget(CBSearchSubfolders, 1, 2);
    grid->addWidget(BSearch, 2, 1);
    grid->addWidget(BStop, 2, 2);
    grid->addWidget(LBSearchFiles, 3, 0, 1, 3);
    grid->addWidget(SB, 4, 0, 1, 3);

    connect(BInitialPath, &QPushButton::clicked, this, [this] { BInitialPathClick(); });
    connect(BSearch, &QPushButton::clicked, this, [this] { BSearchClick(); });
    connect(BStop, &QPushButton::clicked, this, [this] { BStopClick(); });
    SF->OnFileFound = [this](TmFileScan*, const QString& fileName) { SFFileFound(fileName); };
    SF->OnReady = [this](TmFileScan*, const QStringList&) { SFReady(); };
    for (const QWidget* captioned :
         std::initializer_list<const QWidget*>{BInitialPath, LFileMask, CBSearchSubfolders, BSearch, BStop})
        LangSearchFiles.Properties.append(objectName() + u'.' + captioned->objectName() +
                                          QStringLiteral(".Caption"));
}

QString TFSearchFiles::GetInitialPath() const
{
    return firstShow_ ? StationOptions.LastSearchDir : EInitialPath->text();
}

void TFSearchFiles::showEvent(QShowEvent* event)
{
    if (firstShow_) {
        firstShow_ = false;
        LangSearchFiles.LanguageFile = ProgramFolder() + StationOptions.Language + ".lng";
        LangSearchFiles.Translate();
        setWindowTitle(MainTitle + " - " + LangSearchFiles.GetText("searching files"));
        EInitialPath->setText(StationOptions.LastSearchDir.isEmpty() ? ProgramFolder()
                                                                     : StationOptions.LastSearchDir);
    }
    QDialog::showEvent(event);
}

void TFSearchFiles::closeEvent(QCloseEvent* event)
{
    SF->Stop();
    QDialog::closeEvent(event);
}

void TFSearchFiles::BInitialPathClick()
{
    const QString folder =
        BrowseForFolder(LangSearchFiles.GetText("choose one directory"), EInitialPath->text());
    if (!folder.isEmpty())
        EInitialPath->setText(folder);
}

void TFSearchFiles::BSearchClick()
{
    BStop->setEnabled(true);
    BSearch->setEnabled(false);
    SF->Paths = {EInitialPath->text()};
    SplitString(EFileMask->text(), ';', SF->Filters);
    SF->SubDirs = CBSearchSubfolders->isChecked();
    SetStatus(LangSearchFiles.GetText("Searching ..."));
    hits_->setStringList({});
    count_ = 0;
    SB->repaint(); // the pending-messages pass is gone; the status shows before the walk starts
    SF->Start();
}

void TFSearchFiles::SFFileFound(const QString& fileName)
{
    const int row = hits_->rowCount();
    hits_->insertRows(row, 1);
    hits_->setData(hits_->index(row), fileName);
    ++count_;
    SetStatus(LangSearchFiles.GetText("Files found") + ": " + QString::number(count_));
}

void TFSearchFiles::SFReady()
{
    SetStatus(LangSearchFiles.GetText("End of search") + " - " + LangSearchFiles.GetText("Files found") +
              ": " + QString::number(count_));
    BSearch->setEnabled(true);
    BStop->setEnabled(false);
}

void TFSearchFiles::BStopClick()
{
    SF->Stop();
    SetStatus(LangSearchFiles.GetText("stop"));
    BSearch->setEnabled(true);
    BStop->setEnabled(false);
}

void TFSearchFiles::SetStatus(const QString& text)
{
    SB->showMessage(text);
}
