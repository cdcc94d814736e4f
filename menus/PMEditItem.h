#pragma once
// A menu entry holding a text the user types in place: an optional caption and a small box; a click
// opens a line edit over the box until Enter or Tab accepts, Escape drops, or a click elsewhere ends it.
#include "menus/PMCustomItem.h"
#include "menus/PMItemViewer.h"

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;
class TPMEditItemViewer;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

enum TPMEditItemOption : unsigned {
    tboUseEditWhenVertical = 0x01,
};
using TPMEditItemOptions = unsigned;

// The accessibility role of an entry that holds editable text.
constexpr int ROLE_SYSTEM_TEXT = 42;

class TPMEditItem : public TPMCustomItem {
    Q_OBJECT
    Q_PROPERTY(QString EditCaption READ EditCaption WRITE SetEditCaption)
    Q_PROPERTY(QString Text READ Text WRITE SetText)

public:
    explicit TPMEditItem(QObject* owner = nullptr);

    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    QString EditCaption() const { return editCaption_; }
    void SetEditCaption(const QString& value);
    TPMEditItemOptions EditOptions() const { return editOptions_; }
    void SetEditOptions(TPMEditItemOptions value);
    int EditWidth() const { return editWidth_; }
    void SetEditWidth(int value);
    // 0: no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    QString Text() const { return text_; }
    // Stores the text in the item's letter case; views repaint only when it changed.
    void SetText(const QString& value);

    // The user accepted an edit: the handler may change the text or refuse it.
    std::function<void(TPMItemViewer* sender, QString& newText, bool& accept)> OnAcceptText;
    // Before the line edit shows.
    std::function<void(TPMEditItem* item, TPMItemViewer* viewer, QLineEdit* editControl)> OnBeginEdit;

    // The text in the letter case of CharCase.
    QString ConvertCase(const QString& text) const;
    virtual void DoBeginEdit(TPMEditItemViewer* viewer, QLineEdit* editControl);

    TPMItemViewerClass ViewerClassFor(TPMView* view) override;
    bool ViewerNeedsRebuild(TPMItemViewer* viewer) override;

private:
    TEditCharCase charCase_ = ecNormal;
    QString editCaption_;
    TPMEditItemOptions editOptions_ = 0;
    int editWidth_ = 64;
    int maxLength_ = 0;
    QString text_;
};

class TPMEditItemViewer : public TPMItemViewer {
public:
    TPMEditItemViewer(TPMView* view, TPMCustomItem* item, int level);
    ~TPMEditItemViewer() override;

    static TPMItemViewer* Create(TPMView* view, TPMCustomItem* item, int level);
    const char* ClassName() const override { return "TPMEditItemViewer"; }

    TPMEditItem* EditItem() const;
    // The line edit while an edit runs, else none.
    QLineEdit* EditControl() const { return editControl_; }
    // The box, in the view's client coordinates.
    platform::TRect EditRect();

    void MeasureItem(platform::TCanvas& canvas, int& width, int& height) override;
    // Runs the edit; true when the text was accepted and the menu closes.
    bool PerformClick() override;
    int AccessibleRole() override;
    bool AccessibleValue(QString& text) override;
    QString CaptionText() override;
    void CursorAt(QPoint point, Qt::CursorShape& cursor) override;
    void HandleMouseDown(unsigned shift, int x, int y, bool& pressedOnMenu) override;
    void HandleMouseUp(int x, int y, bool pressedOnMenu) override;
    void PaintItem(platform::TCanvas& canvas, const platform::TRect& rect, bool selected, bool pushed,
                   bool embossed) override;
    bool TakesColumnWidth() override;
    bool CaptionVisible() override;

    // Called by the edit when the user accepts: OnAcceptText, then the item's new text.
    void AcceptText(const QString& text);

private:
    int CaptionWidth(platform::TCanvas& canvas);
    // A press or release on the entry's click part: an enabled entry starts the edit.
    bool ClickInPart(int x, int y);

    QLineEdit* editControl_ = nullptr;
    QObject lifetime_; // goes with the viewer: an edit running on it sees it gone
};
