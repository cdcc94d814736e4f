#pragma once
// The channel's station-identification menu, opened by its insert button: two edit items that insert
// identifications every N entries or every S seconds, and the two check marks handed to the picker.
#include "playout/StationIds.h"

#include <QObject>

class QWidget;
class TChannelQueue;
class TPMEditItem;
class TPMItem;
class TPMPopupMenu;

class TStationIdMenu : public QObject {
    Q_OBJECT
public:
    // The items are children of the owner window, named as it translates them.
    TStationIdMenu(TChannelQueue& queue, QObject* owner);

    TPMPopupMenu* PMIndicativos;
    TPMEditItem* PMInsertIndicativosEverySongs;
    TPMEditItem* PMInsertIndicativosEverySeconds;
    TPMItem* PMIndicativoRandom;
    TPMItem* PMIndicativoFromSelectedThemes;

    // The folders window's picker, handed over once the windows exist; without one nothing is inserted.
    TStationIdPicker Picker;

    // Opens the menu just under the button, at its left edge plus one; returns once it has closed.
    void PopupUnder(QWidget* button);
    // The button's left mouse-down opens the menu under it.
    void OpenFrom(QWidget* button);
    // An accepted text: an interval in range inserts and is taken; any other shows "incorrect integer
    // value" and is refused.
    void PMInsertIndicativosEverySongsAcceptText(QString& text, bool& accept);
    void PMInsertIndicativosEverySecondsAcceptText(QString& text, bool& accept);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Interval(const QString& text, int maximum, int& value) const;

    TChannelQueue& queue_;
    QWidget* button_ = nullptr;
};
