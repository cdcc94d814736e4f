#pragma once
// A list of text rows shown in columns: each row is split at Delimiter into the sections of a
// header bar above the list, and drawn by the control itself. The column widths can be kept in a
// settings store.
#include "controls/LXIniCtrl.h"
#include "controls/LXScrollBox.h"
#include "platform_gui/Font.h"

#include <QHeaderView>
#include <QListWidget>
#include <QPointer>
#include <QStyledItemDelegate>
#include <vector>

class QStandardItemModel;
class TLXListBox;

enum TLXLBGridLines : int { glNone, glHorizontal, glVertical, glBoth };
enum TLXIniUse : int { ioUseLink, ioUseGlobal, ioNone };
enum TLXListBoxStyle : int {
    lbStandard,
    lbOwnerDrawFixed,
    lbOwnerDrawVariable,
    lbVirtual,
    lbVirtualOwnerDraw
};

// One column's text within a row: where it is drawn and with which DT_ alignment flag.
struct TLXListCell {
    platform::TRect Rect;
    QString Text;
    unsigned Alignment = 0;
};
struct TLXListColumn {
    int Width = 0;
    unsigned Alignment = 0; // DT_LEFT, DT_RIGHT or DT_CENTER
};
// The cells of a row: the untrimmed text split at the delimiter, one piece per column from
// left + 1 to left + width - 1 (pieces beyond the last column are left out); without columns the
// whole text 2 pixels in.
std::vector<TLXListCell> LayoutListRow(const QString& text, QChar delimiter,
                                       const std::vector<TLXListColumn>& columns, const platform::TRect& row);

// The header bar: one section per column of a small model holding the titles and alignments.
class TLXHeaderControl : public QHeaderView {
    Q_OBJECT
public:
    explicit TLXHeaderControl(QWidget* parent = nullptr);

    int SectionCount() const;
    void AddSection(const QString& text, int width, unsigned alignment = 0);
    void ClearSections();
    QString SectionText(int index) const;
    unsigned SectionAlignment(int index) const;
    std::vector<TLXListColumn> Columns() const;

private:
    QStandardItemModel* model_;
};

// The inner list: always drawn by its owner, and telling it of every left press.
class TLXMyListBox : public QListWidget {
    Q_OBJECT
public:
    TLXMyListBox(TLXListBox* owner, QWidget* parent);

signals:
    // After the press has made its row current.
    void LeftPressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    TLXListBox* owner_;
};

class TLXListBox : public TLXCustomScrollBox {
    Q_OBJECT
public:
    explicit TLXListBox(QWidget* parent = nullptr);
    // Writes the column widths to the store first, without OnIniWriteData.
    ~TLXListBox() override;

    TLXHeaderControl& Header() { return *header_; }
    TLXMyListBox& List() { return *list_; }

    QStringList Items() const;
    void SetItems(const QStringList& items);
    void AddItem(const QString& item);
    void ClearItems() { list_->clear(); }
    // -1 for none; setting -1 clears the selection.
    int ItemIndex() const;
    void SetItemIndex(int index);
    int TopIndex() const;
    void SetTopIndex(int index);
    int SelCount() const { return static_cast<int>(list_->selectedItems().size()); }

    QChar Delimiter() const { return delimiter_; }
    void SetDelimiter(QChar delimiter);
    // 0 hides the header by size; HeaderVisible stays as it is.
    int HeaderHeight() const { return headerHeight_; }
    void SetHeaderHeight(int height);
    bool HeaderVisible() const { return headerVisible_; }
    void SetHeaderVisible(bool visible);
    const platform::TFont& HeaderFont() const { return headerFont_; }
    void SetHeaderFont(const platform::TFont& font);
    bool HeaderHotTrack() const { return header_->highlightSections(); }
    void SetHeaderHotTrack(bool hot) { header_->setHighlightSections(hot); }
    bool HeaderFlat() const { return headerFlat_; }
    void SetHeaderFlat(bool flat);
    // The sections can be dragged to other widths.
    bool AllowResize() const { return allowResize_; }
    void SetAllowResize(bool allow);
    int HeaderSectionCount() const { return header_->SectionCount(); }

    const platform::TFont& Font() const { return font_; }
    void SetFont(const platform::TFont& font);
    // The rows' background.
    platform::TColor ListColor() const { return listColor_; }
    void SetListColor(platform::TColor color);
    platform::TColor SelectedColor() const { return selectedColor_; }
    void SetSelectedColor(platform::TColor color);
    TLXLBGridLines GridLines() const { return gridLines_; }
    void SetGridLines(TLXLBGridLines lines);
    platform::TColor GridHorzColor() const { return gridHorzColor_; }
    void SetGridHorzColor(platform::TColor color);
    platform::TColor GridVertColor() const { return gridVertColor_; }
    void SetGridVertColor(platform::TColor color);
    // A set of TLXLabelOption for every cell.
    unsigned ColumnOptions() const { return columnOptions_; }
    void SetColumnOptions(unsigned options);
    TLXListBoxStyle Style() const { return style_; }
    void SetStyle(TLXListBoxStyle style) { style_ = style; }
    // The font's height until set.
    int ItemHeight() const;
    void SetItemHeight(int height);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool multi);
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool extended);
    // Sorted without regard to case.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    bool TabStop() const { return list_->focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool tabStop) { list_->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus); }
    // Above 0 the columns take this width and scroll sideways; negative values are ignored.
    int VirtualWidth() const { return virtualWidth_; }
    void SetVirtualWidth(int width);

    // Where the column widths are kept.
    TLXIniCtrl* IniLink() const { return iniLink_; }
    void SetIniLink(TLXIniCtrl* link) { iniLink_ = link; }
    TLXIniUse IniUse() const { return iniUse_; }
    void SetIniUse(TLXIniUse use) { iniUse_ = use; }
    QString Section() const { return section_; }
    void SetSection(const QString& section) { section_ = section; }
    QString IniKey() const { return iniKey_; }
    void SetIniKey(const QString& key) { iniKey_ = key; }
    // Pieces that are no width (not a number, negative) leave their section as it is; missing
    // sections are added as "S. n".
    void ReadColumnWidths();
    // No sections delete the key.
    void WriteColumnWidths();

    // The inner list takes the focus.
    void SetFocus() { list_->setFocus(); }
    bool Focused() const { return hasFocus() || list_->hasFocus(); }

    // The row drawing of the inner list.
    void DrawItem(QPainter& painter, int index, const QRect& rect, bool selected, bool focused);
    // Vertical grid lines over the whole height, once some row has text.
    void DrawVerticalGrid(QPainter& painter);
    // Mouse moves over the inner list; nothing to do here.
    virtual void ListMouseMove(QMouseEvent*) {}

signals:
    void OnSelect();
    void OnDrawItem(TLXListBox* control, int index, const QRect& rect, bool selected);
    void OnPrepareDrawItem(TLXListBox* control, int index, const QRect& rect, bool selected);
    void OnHeaderSized(int index, int width);
    void OnHeaderSectionResize(int index);
    void OnHeaderSectionClick(int index);
    void OnIniReadData(TLXIniCtrl* iniCtrl, const QString& section);
    void OnIniWriteData(TLXIniCtrl* iniCtrl, const QString& section);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The first showing reads the stored column widths: the owner has set the store up by then.
    void showEvent(QShowEvent* event) override;

private:
    TLXIniCtrl* Store() const;
    void StoreColumnWidths(TLXIniCtrl* store);
    void Realign();
    void ApplySelectionMode();
    void Refresh() { list_->viewport()->update(); }
    template <typename T> void SetAndRefresh(T& field, T value)
    {
        if (field != value) {
            field = value;
            Refresh();
        }
    }

    QWidget* content_;
    TLXHeaderControl* header_;
    TLXMyListBox* list_;
    QChar delimiter_ = QLatin1Char(';');
    int headerHeight_ = 25;
    bool headerVisible_ = true;
    platform::TFont headerFont_;
    bool headerFlat_ = false;
    bool allowResize_ = true;
    platform::TFont font_;
    platform::TColor listColor_ = platform::clWhite;
    platform::TColor selectedColor_ = platform::clHighlight;
    TLXLBGridLines gridLines_ = glNone;
    platform::TColor gridHorzColor_ = platform::clSilver;
    platform::TColor gridVertColor_ = platform::clSilver;
    unsigned columnOptions_ = 0;
    TLXListBoxStyle style_ = lbStandard;
    int itemHeight_ = 0; // 0: the font's height
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    bool sorted_ = false;
    int virtualWidth_ = 0;
    QPointer<TLXIniCtrl> iniLink_;
    TLXIniUse iniUse_ = ioNone;
    QString section_ = QStringLiteral("Common");
    QString iniKey_ = QStringLiteral("ListBoxData");
    bool widthsRead_ = false;
};
