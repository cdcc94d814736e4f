#pragma once
// The window that lists everything the station knows of one audio file, as fixed-width text.
#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QWidget;
class TLbButton;
class TOFileData;

// The listing of a record, one line each: file, tags and, for an MP3, the MPEG stream.
QStringList ThemeInfoLines(const TOFileData& data);

class TFThemeInfo : public QDialog {
    Q_OBJECT
public:
    TFThemeInfo();

    void ShowFileData(const TOFileData& data);
    // Modal, through the dialog service, so a test answers it like any box.
    void ShowModal();

    QWidget* Panel1;
    TLbButton* BClose;
    QWidget* Panel2;
    QPlainTextEdit* MInfo;
};

inline TFThemeInfo* FThemeInfo = nullptr;
