#include "skin/WindowMenuPopup.h"

#include "menus/PMImageList.h"
#include "menus/PMItems.h"
#include "menus/PMPopupMenu.h"
#include "platform/Messages.h"
#include "skin/CaptionGlyphs.h"

#include <QWidget>

namespace {

constexpr int EngineMenuTag = 33333;

TCustomImageList* GlyphList(QObject* owner)
{
    auto* list = new TCustomImageList(16, 16, owner);
    const QImage glyphs = CaptionGlyphs();
    for (int i = 0; i < 4; ++i)
        list->Add(glyphs.copy(16 * i, 0, 16, 16));
    return list;
}

} // namespace

void ShowWindowMenu(QWidget* window, const std::vector<platform::WindowMenuItem>& items, QPoint point,
                    QPointer<TPMPopupMenu>& menu)
{
    if (!menu) {
        menu = new TPMPopupMenu(window);
        menu->setProperty("Tag", EngineMenuTag);
        menu->SetImages(GlyphList(menu));
    }
    while (menu->Items()->ItemCount() > 0)
        delete menu->Items()->ItemAt(0); // an entry leaves its parent as it goes
    QPointer<QWidget> target = window;
    for (const platform::WindowMenuItem& entry : items) {
        if (entry.Id == 0) {
            menu->Items()->AppendItem(new TPMSeparatorItem(menu));
            continue;
        }
        auto* item = new TPMItem(menu);
        item->SetCaption(entry.Text);
        item->SetEnabled(entry.Enabled);
        item->SetImageIndex(entry.Glyph);
        if (entry.Id == platform::SC_CLOSE)
            item->SetShortCut(QKeyCombination(Qt::AltModifier, Qt::Key_F4));
        const unsigned id = entry.Id;
        item->OnClick = [target, id](TPMCustomItem*) {
            if (target)
                platform::SysCommand(target, id);
        };
        menu->Items()->AppendItem(item);
    }
    menu->Popup(point.x(), point.y());
}
