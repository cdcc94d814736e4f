#pragma once
// The font as the drawing routines hold it: a family name, a size in points (a negative size is a
// pixel height), style bits and a colour. Its QFont is made at 96 dots per inch, so text fits the
// pixel layouts the windows were designed with, whatever the screen.
#include "platform_gui/Color.h"

#include <QFont>
#include <QString>
#include <functional>

namespace platform {

// Style bits; the settings file stores the same values.
enum TFontStyle : int { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
enum class TFontQuality { fqDefault, fqNonAntialiased, fqAntialiased };

inline constexpr int ScreenDpi = 96;

// The one rule from a stored font to a QFont: points at 96 per inch, or a pixel height when negative.
QFont MakeQFont(const QString& name, int size, int styles);

// A value type: copying takes the settings, never the handler; assigning to a font fires its own
// OnChange when a setting changed.
class TFont {
public:
    TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);

    const QString& Name() const { return name_; }
    int Size() const { return size_; }
    // The character height in pixels (the original's Height: negative of the pixel size).
    int Height() const;
    int Style() const { return style_; }
    TColor Color() const { return color_; }
    // Angle of the baseline in tenths of a degree, counter-clockwise.
    int Escapement() const { return escapement_; }
    TFontQuality Quality() const { return quality_; }

    void SetName(const QString& name);
    void SetSize(int points);
    // A pixel height: stored as a negative size.
    void SetHeight(int height);
    void SetStyle(int styles);
    void SetColor(TColor color);
    void SetEscapement(int tenths);
    void SetQuality(TFontQuality quality);
    void Assign(const TFont& other) { *this = other; }

    QFont ToQFont() const;
    friend bool operator==(const TFont& a, const TFont& b) { return a.SameSettings(b); }

    std::function<void()> OnChange;

private:
    bool SameSettings(const TFont& other) const;
    void Changed();

    QString name_;
    int size_;
    int style_ = 0;
    TColor color_ = clWindowText;
    int escapement_ = 0;
    TFontQuality quality_ = TFontQuality::fqDefault;
};

// Whether the font is a scalable outline font (the question the drawing routines ask before turning
// text). Qt's "smoothly scalable" by default; tests put in their own answer.
using ScalableFontPredicate = std::function<bool(const QFont&)>;
bool IsScalableFont(const TFont& font);
// An empty predicate puts the default back.
void SetScalableFontPredicate(ScalableFontPredicate predicate);

} // namespace platform
