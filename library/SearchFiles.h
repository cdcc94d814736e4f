#pragma once
// The file search window: start folder, masks, the walk's hits streaming into a list that is dragged
// into the channel and the combinations.
#include "foundation_gui/Language.h"
#include "library/FileScan.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStatusBar;
class QStringListModel;

class TFSearchFiles : public QDialog {
    Q_OBJECT
public:
    TFSearchFiles();

    // The start folder the settings save stores; the stored one until the window first showed.
    QString GetInitialPath() const;

    QLineEdit* EInitialPath;
    QPushButton* BInitialPath;
    QLineEdit* EFileMask;
    QLabel* LFileMask;
    QCheckBox* CBSearchSubfolders;
    QPushButton* BSearch;
    QPushButton* BStop;
    QListView* LBSearchFiles;
    QStatusBar* SB;
    TmFileScan* SF;
    TLanguage LangSearchFiles;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BInitialPathClick();
    void BSearchClick();
    void BStopClick();
    void SFFileFound(const QString& fileName);
    void SFReady();
    void SetStatus(const QString& text);

    QStringListModel* hits_;
    bool firstShow_ = true;
    int count_ = 0;
};

inline TFSearchFiles* FSearchFiles = nullptr;
