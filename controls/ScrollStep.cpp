#include "controls/ScrollStep.h"

namespace {

// The vertical directions bring back a text that stands right of the area.
void KeepInside(TScrollPosition& p, QSize area, QSize text)
{
    if (p.X > area.width())
        p.X = area.width() - text.width();
}

} // namespace

TScrollPosition ScrollStep(TScrollPosition p, TScrollDirection direction, int jump, QSize area, QSize text)
{
    const int w = area.width();
    const int h = area.height();
    const int tw = text.width();
    const int th = text.height();
    switch (direction) {
    case sdLeftToRight:
        p.X += jump;
        if (p.X > w)
            p.X = -tw;
        break;
    case sdRightToLeft:
        p.X -= jump;
        if (p.X < -tw)
            p.X = w;
        break;
    case sdHorzBounce:
        if (p.MovingRight) {
            p.X += jump;
            if (p.X + tw > w) {
                p.X = w - tw;
                p.MovingRight = false;
            }
        } else {
            p.X -= jump;
            if (p.X < 0) {
                p.X = 0;
                p.MovingRight = true;
            }
        }
        break;
    case sdTopToBottom:
        KeepInside(p, area, text);
        p.Y += jump;
        if (p.Y > h)
            p.Y = -th;
        break;
    case sdBottomToTop:
        KeepInside(p, area, text);
        p.Y -= jump;
        if (p.Y < -th)
            p.Y = h;
        break;
    case sdVertBounce:
        KeepInside(p, area, text);
        if (p.MovingDown) {
            p.Y += jump;
            if (p.Y + th > h) {
                p.Y = h - th;
                p.MovingDown = false;
            }
        } else {
            p.Y -= jump;
            if (p.Y < 0) {
                p.Y = 0;
                p.MovingDown = true;
            }
        }
        break;
    }
    return p;
}
