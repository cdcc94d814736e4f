#include "platform_gui/TextLayout.h"

#include "platform_gui/Canvas.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int TabColumns = 8;
const QString Ellipsis = QStringLiteral("...");

// A line of text with the index of its underlined character (or -1).
struct MarkedText {
    QString Text;
    int Underline = -1;
};

class Layouter {
public:
    Layouter(const TTextMeasure& measure, unsigned format)
        : measure_(measure), format_(format), tab_(std::max(1, TabColumns * measure.AveCharWidth))
    {
    }

    bool ExpandsTabs() const { return (format_ & DT_EXPANDTABS) != 0; }

    int Width(const QString& text) const
    {
        if (!ExpandsTabs() || !text.contains(u'\t'))
            return measure_.Width(text);
        int x = 0;
        const QStringList pieces = text.split(u'\t');
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            x += pieces[i].isEmpty() ? 0 : measure_.Width(pieces[i]);
            if (i + 1 < pieces.size())
                x = (x / tab_ + 1) * tab_;
        }
        return x;
    }

    // Greedy breaks after blanks; a word wider than the rectangle stays whole on its own line.
    std::vector<MarkedText> BreakWords(const MarkedText& line, int maxWidth) const
    {
        std::vector<MarkedText> result;
        const QString& s = line.Text;
        const auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
        qsizetype start = 0;
        do {
            qsizetype best = -1;
            qsizetype end = start;
            while (end < s.size()) {
                while (end < s.size() && !isBlank(s[end]))
                    ++end;
                const qsizetype wordEnd = end;
                if (best >= 0 && Width(s.mid(start, wordEnd - start)) > maxWidth)
                    break;
                best = wordEnd;
                while (end < s.size() && isBlank(s[end]))
                    ++end;
            }
            if (best < 0)
                best = s.size();
            result.push_back(Slice(line, start, best - start));
            start = best;
            while (start < s.size() && isBlank(s[start]))
                ++start;
        } while (start < s.size());
        return result;
    }

    MarkedText EndEllipsis(const MarkedText& line, int maxWidth) const
    {
        qsizetype keep = line.Text.size();
        while (keep > 0 && Width(line.Text.left(keep) + Ellipsis) > maxWidth)
            --keep;
        return {line.Text.left(keep) + Ellipsis, line.Underline < keep ? line.Underline : -1};
    }

    // Keeps the last part of a path whole and takes characters out before it.
    MarkedText PathEllipsis(const MarkedText& line, int maxWidth) const
    {
        const qsizetype slash = std::max(line.Text.lastIndexOf(u'\\'), line.Text.lastIndexOf(u'/'));
        if (slash < 0)
            return EndEllipsis(line, maxWidth);
        const QString tail = line.Text.mid(slash);
        qsizetype keep = slash;
        while (keep > 0 && Width(line.Text.left(keep) + Ellipsis + tail) > maxWidth)
            --keep;
        int underline = -1;
        if (line.Underline >= 0 && line.Underline < keep)
            underline = line.Underline;
        else if (line.Underline >= slash)
            underline = static_cast<int>(line.Underline - slash + keep + Ellipsis.size());
        return {line.Text.left(keep) + Ellipsis + tail, underline};
    }

    std::vector<TTextRun> Runs(const MarkedText& line, int x0) const
    {
        std::vector<TTextRun> runs;
        if (!ExpandsTabs()) {
            runs.push_back({x0, line.Text, line.Underline});
            return runs;
        }
        int x = 0;
        qsizetype start = 0;
        while (true) {
            const qsizetype tab = line.Text.indexOf(u'\t', start);
            const qsizetype end = tab < 0 ? line.Text.size() : tab;
            const QString piece = line.Text.mid(start, end - start);
            const int underline = line.Underline >= start && line.Underline < end
                                      ? static_cast<int>(line.Underline - start)
                                      : -1;
            if (!piece.isEmpty())
                runs.push_back({x0 + x, piece, underline});
            x += piece.isEmpty() ? 0 : measure_.Width(piece);
            if (tab < 0)
                break;
            x = (x / tab_ + 1) * tab_;
            start = tab + 1;
        }
        return runs;
    }

private:
    static MarkedText Slice(const MarkedText& line, qsizetype start, qsizetype count)
    {
        QString text = line.Text.mid(start, count);
        while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t'))
            text.chop(1);
        const bool inside = line.Underline >= start && line.Underline < start + text.size();
        return {text, inside ? static_cast<int>(line.Underline - start) : -1};
    }

    const TTextMeasure& measure_;
    unsigned format_;
    int tab_;
};

std::vector<MarkedText> SplitLines(const MarkedText& text, bool singleLine)
{
    std::vector<MarkedText> lines;
    if (text.Text.isEmpty())
        return lines;
    if (singleLine) {
        lines.push_back(text);
        return lines;
    }
    qsizetype start = 0;
    const QString& s = text.Text;
    while (true) {
        qsizetype end = start;
        while (end < s.size() && s[end] != u'\r' && s[end] != u'\n')
            ++end;
        const bool inside = text.Underline >= start && text.Underline < end;
        lines.push_back({s.mid(start, end - start), inside ? static_cast<int>(text.Underline - start) : -1});
        if (end >= s.size())
            break;
        start = end + ((s[end] == u'\r' && end + 1 < s.size() && s[end + 1] == u'\n') ? 2 : 1);
        if (start >= s.size())
            break;
    }
    return lines;
}

} // namespace

QString StripPrefixes(const QString& text, int& underline)
{
    underline = -1;
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            result += text[i];
            continue;
        }
        if (i + 1 >= text.size())
            break; // a lone "&" at the end shows nothing
        ++i;
        if (text[i] != u'&' && underline < 0)
            underline = static_cast<int>(result.size());
        result += text[i];
    }
    return result;
}

TTextLayout LayOutText(const QString& text, const TRect& rect, unsigned format, const TTextMeasure& measure)
{
    const Layouter layouter(measure, format);
    MarkedText marked{text, -1};
    if ((format & DT_NOPREFIX) == 0) {
        marked.Text = StripPrefixes(text, marked.Underline);
        if ((format & DT_HIDEPREFIX) != 0)
            marked.Underline = -1;
    }
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    const bool measuring = (format & DT_CALCRECT) != 0;
    const int maxWidth = rect.Width();

    std::vector<MarkedText> lines;
    for (const MarkedText& line : SplitLines(marked, singleLine)) {
        if (!singleLine && (format & DT_WORDBREAK) != 0) {
            for (MarkedText& piece : layouter.BreakWords(line, maxWidth))
                lines.push_back(std::move(piece));
        } else {
            lines.push_back(line);
        }
    }
    if (!measuring && (format & DT_EDITCONTROL) != 0 && measure.LineHeight > 0) {
        const size_t fit = static_cast<size_t>(std::max(1, rect.Height() / measure.LineHeight));
        if (lines.size() > fit)
            lines.resize(fit);
    }
    if (!measuring) {
        for (MarkedText& line : lines) {
            if (layouter.Width(line.Text) <= maxWidth)
                continue;
            if ((format & DT_PATH_ELLIPSIS) != 0)
                line = layouter.PathEllipsis(line, maxWidth);
            else if ((format & DT_END_ELLIPSIS) != 0)
                line = layouter.EndEllipsis(line, maxWidth);
        }
    }

    TTextLayout layout;
    const int total = static_cast<int>(lines.size()) * measure.LineHeight;
    int y = rect.Top;
    if (singleLine && (format & DT_VCENTER) != 0)
        y = rect.Top + (rect.Height() - total) / 2;
    else if (singleLine && (format & DT_BOTTOM) != 0)
        y = rect.Bottom - total;
    int widest = 0;
    for (const MarkedText& line : lines) {
        const int width = layouter.Width(line.Text);
        widest = std::max(widest, width);
        int x = rect.Left;
        if ((format & DT_CENTER) != 0)
            x = rect.Left + (maxWidth - width) / 2;
        else if ((format & DT_RIGHT) != 0)
            x = rect.Right - width;
        layout.Lines.push_back({y, width, layouter.Runs(line, x)});
        y += measure.LineHeight;
    }
    layout.Bounds = {rect.Left, rect.Top, rect.Left + widest, rect.Top + total};
    const bool placed = singleLine && (format & (DT_VCENTER | DT_BOTTOM)) != 0;
    layout.Height = placed && !lines.empty() ? layout.Lines.back().Y + measure.LineHeight - rect.Top : total;
    return layout;
}

} // namespace platform
