#include "platform/AlignLayout.h"

#include <algorithm>
#include <numeric>

namespace platform {

namespace {

// Sort key within one kind: smaller goes first.
int OrderKey(TAlign align, const QRect& r)
{
    switch (align) {
    case TAlign::alTop:
        return r.top();
    case TAlign::alBottom:
        return -(r.top() + r.height());
    case TAlign::alLeft:
        return r.left();
    case TAlign::alRight:
        return -(r.left() + r.width());
    default:
        return 0;
    }
}

} // namespace

std::vector<QRect> AlignWithin(const QRect& area, const std::vector<TAlignItem>& items)
{
    std::vector<QRect> result;
    result.reserve(items.size());
    for (const TAlignItem& item : items)
        result.push_back(item.Bounds);
    int left = area.left(), top = area.top();
    int right = area.left() + area.width(), bottom = area.top() + area.height();

    for (TAlign kind : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        std::vector<size_t> order;
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].Align == kind)
                order.push_back(i);
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return OrderKey(kind, items[a].Bounds) < OrderKey(kind, items[b].Bounds);
        });
        for (size_t i : order) {
            const int w = items[i].Bounds.width(), h = items[i].Bounds.height();
            switch (kind) {
            case TAlign::alTop:
                result[i] = QRect(left, top, right - left, h);
                top += h;
                break;
            case TAlign::alBottom:
                result[i] = QRect(left, bottom - h, right - left, h);
                bottom -= h;
                break;
            case TAlign::alLeft:
                result[i] = QRect(left, top, w, bottom - top);
                left += w;
                break;
            case TAlign::alRight:
                result[i] = QRect(right - w, top, w, bottom - top);
                right -= w;
                break;
            default:
                result[i] = QRect(left, top, right - left, bottom - top);
                break;
            }
        }
    }
    return result;
}

} // namespace platform
