#include "playout/StationIdMenu.h"

#include "menus/PMEditItem.h"
#include "menus/PMItems.h"
#include "menus/PMPopupMenu.h"
#include "platform_gui/Dialogs.h"
#include "playout/ChannelQueue.h"

#include <QMouseEvent>
#include <QWidget>

namespace {

template <typename Item>
Item* Entry(QObject* owner, TPMPopupMenu* menu, const char* name, const QString& caption)
{
    auto* item = new Item(owner);
    item->setObjectName(QLatin1String(name));
    item->SetCaption(caption);
    menu->Items()->AppendItem(item);
    return item;
}

void ToggleCheck(TPMCustomItem* item)
{
    item->OnClick = [](TPMCustomItem* sender) { sender->SetChecked(!sender->Checked()); };
}

} // namespace

TStationIdMenu::TStationIdMenu(TChannelQueue& queue, QObject* owner) : QObject(owner), queue_(queue)
{
    PMIndicativos = new TPMPopupMenu(owner);
    PMIndicativos->setObjectName(QStringLiteral("PMIndicativos"));
    PMIndicativos->AutoPopup = false;
    PMInsertIndicativosEverySongs = Entry<TPMEditItem>(owner, PMIndicativos, "PMInsertIndicativosEverySongs",
                                                       QStringLiteral("Insert indicativos every # songs:"));
    PMInsertIndicativosEverySeconds =
        Entry<TPMEditItem>(owner, PMIndicativos, "PMInsertIndicativosEverySeconds",
                           QStringLiteral("Insert indicativos every # seconds:"));
    for (TPMEditItem* edit : {PMInsertIndicativosEverySongs, PMInsertIndicativosEverySeconds})
        edit->SetEditCaption(edit->Caption());
    PMIndicativoRandom = Entry<TPMItem>(owner, PMIndicativos, "PMIndicativoRandom",
                                        QStringLiteral("Choose the indicativo randomly"));
    PMIndicativoFromSelectedThemes =
        Entry<TPMItem>(owner, PMIndicativos, "PMIndicativoFromSelectedThemes",
                       QStringLiteral("Choose the indicativo from selected themes"));
    ToggleCheck(PMIndicativoRandom);
    ToggleCheck(PMIndicativoFromSelectedThemes);

    PMIndicativos->OnPopup = [this](QObject* sender) {
        if (sender != PMIndicativos)
            return;
        PMInsertIndicativosEverySongs->SetText({});
        PMInsertIndicativosEverySeconds->SetText({});
    };
    PMInsertIndicativosEverySongs->OnAcceptText = [this](TPMItemViewer*, QString& text, bool& accept) {
        PMInsertIndicativosEverySongsAcceptText(text, accept);
    };
    PMInsertIndicativosEverySeconds->OnAcceptText = [this](TPMItemViewer*, QString& text, bool& accept) {
        PMInsertIndicativosEverySecondsAcceptText(text, accept);
    };
}

void TStationIdMenu::PopupUnder(QWidget* button)
{
    const QPoint at = button->mapToGlobal(QPoint(1, button->height() + 1));
    PMIndicativos->Popup(at.x(), at.y());
}

void TStationIdMenu::OpenFrom(QWidget* button)
{
    button_ = button;
    button->installEventFilter(this);
}

bool TStationIdMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == button_ && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        PopupUnder(button_);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool TStationIdMenu::Interval(const QString& text, int maximum, int& value) const
{
    const std::optional<int> interval = StationIdInterval(text, maximum);
    if (!interval) {
        platform::ShowMessage(queue_.LangChannel.GetText(QStringLiteral("incorrect integer value")));
        return false;
    }
    value = *interval;
    return true;
}

void TStationIdMenu::PMInsertIndicativosEverySongsAcceptText(QString& text, bool& accept)
{
    int n = 0;
    accept = Interval(text, MaxEveryEntries, n);
    if (accept)
        InsertEveryEntries(queue_, n, Picker, PMIndicativoRandom->Checked(),
                           PMIndicativoFromSelectedThemes->Checked());
}

void TStationIdMenu::PMInsertIndicativosEverySecondsAcceptText(QString& text, bool& accept)
{
    int seconds = 0;
    accept = Interval(text, MaxEverySeconds, seconds);
    if (accept)
        InsertEverySeconds(queue_, seconds, Picker, PMIndicativoRandom->Checked(),
                           PMIndicativoFromSelectedThemes->Checked());
}
