#pragma once
// Reading skin objects from a description's sections: the INI text and the package's images together,
// with the readers the sections share. Every frame count read is at least 1 and every edge at least 0,
// whatever the skin writes, so no painter divides by zero or reads outside an image.
#include "skin/core/SkinBitmap.h"
#include "skin/core/SkinObjects.h"

#include <QImage>
#include <QString>
#include <optional>

class TQuickIni;

struct TSkinSource {
    const TQuickIni& Ini;
    TSkinBitmaps& Bitmaps;

    QString String(const QString& section, const QString& key) const;
    int Integer(const QString& section, const QString& key, int defaultValue) const;
    // The image the key's value names (TSkinBitmaps::LoadBitmap).
    QImage Bitmap(const QString& section, const QString& key) const;
    // The colour text of the key, or the default.
    platform::TColor Colour(const QString& section, const QString& key, platform::TColor defaultColour) const;
};

// The frame count a skin gives, at least 1.
int FrameCount(int frames);

// The generic reader: absent when [section] Image is empty; else the image, Style, the four edges,
// Trans, Tile (above 1 becomes 0) and the text colours (second colours by default textColour).
std::optional<TDataSkinObject> ReadGeneric(const TSkinSource& source, const QString& section, int frames,
                                           platform::TColor textColour);
// The generic reader with a second image from secondKey when that value is not empty.
std::optional<TDataSkinBorder> ReadBorderStyle(const TSkinSource& source, const QString& section,
                                               const QString& secondKey, int frames,
                                               platform::TColor textColour);
// The generic reader followed by the label's background keys.
std::optional<TDataSkinBoxLabel> ReadBoxLabel(const TSkinSource& source, const QString& section, int frames,
                                              platform::TColor textColour);
// [Progress]: image Bitmap, second image Chunk, no text colours, Tile above 1 becomes 1.
std::optional<TDataSkinBorder> ReadProgress(const TSkinSource& source);
// One window border (Left, Right, Top or Bottom) from its keys in [Personality].
TDataSkinBorder ReadBorder(const TSkinSource& source, const QString& name);
// The caption title from [Personality] and [Fonts].
TDataSkinTitle ReadTitle(const TSkinSource& source);
// [Buttons], with the check and radio images and their frame counts.
TDataSkinButton ReadButtons(const TSkinSource& source, platform::TColor buttonText);
// The menu bar from [Personality] menuBar; absent without an image.
std::optional<TDataSkinObject> ReadMenuBar(const TSkinSource& source);
