#include "menus/PMPlatform.h"

#include <QAccessible>
#include <QWidget>
#include <gtest/gtest.h>

TEST(MenuText, Routines)
{
    struct Case {
        QString text, stripped, ellipsisless;
        QChar accel;
    };
    const Case cases[] = {
        {"New:", "New:", "New", QChar()},
        {":", ":", ":", QChar()}, // too short to lose its colon
        {"a...", "a...", "a", QChar()},
        {"...", "...", "...", QChar()},
        {"&File &Edit", "File Edit", "&File &Edit", u'E'}, // the last marker counts
        {"&&", "&", "&&", QChar()},
        {"Save && &Quit", "Save & Quit", "Save && &Quit", u'Q'},
        {"&Open...", "Open...", "&Open", u'O'},
        {"End&", "End", "End&", QChar()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StripAccelMarkers(c.text), c.stripped) << c.text.toStdString();
        EXPECT_EQ(StripTrailingEllipsis(c.text), c.ellipsisless) << c.text.toStdString();
        EXPECT_EQ(AccelCharOf(c.text), c.accel) << c.text.toStdString();
    }
    EXPECT_EQ(DoubleAmpersands("R&B & Soul"), "R&&B && Soul");
}

TEST(MenuText, AccessEventsCountChildrenFromOne)
{
    QWidget window;
    QList<QPair<int, int>> recorded; // (event type, Qt's child index)
    SetAccessEventSink([&](QAccessibleEvent& event) { recorded.append({event.type(), event.child()}); });
    NotifyAccessEvent(EVENT_OBJECT_FOCUS, &window, OBJID_CLIENT, 3);
    NotifyAccessEvent(EVENT_SYSTEM_MENUPOPUPSTART, &window, OBJID_CLIENT, 0);
    SetAccessEventSink(nullptr);
    const QList<QPair<int, int>> expected = {{QAccessible::Focus, 2}, {QAccessible::PopupMenuStart, -1}};
    EXPECT_EQ(recorded, expected);
}
