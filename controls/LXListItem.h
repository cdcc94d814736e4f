#pragma once
// The items the containers hold: a description, an ident and the data, written as one record
// (flags byte, short-string description, 32-bit ident, data) that is read back checked.
#include "controls/LXObjects.h"
#include "controls/LXTypes.h"
#include "controls/LXWave.h"
#include "platform_gui/Bitmap.h"

#include <QIODevice>
#include <QStringList>
#include <cstdint>

class TLXCustomContainer;

// Flags of an item record.
inline constexpr uint8_t ifCompressed = 0x01;
inline constexpr uint8_t ifDescription = 0x02;
inline constexpr uint8_t ifIdent = 0x04;
inline constexpr uint8_t ifData = 0x08;
inline constexpr uint8_t ifMono = 0x10;
inline constexpr uint8_t if4Bit = 0x20;
inline constexpr uint8_t if8Bit = 0x40;

class TLXListItem : public TLXCustomComponent {
    Q_OBJECT
public:
    ~TLXListItem() override;

    // The container holding the item, null when none does.
    TLXCustomContainer* Container() const { return container_; }

    const QString& Description() const { return description_; }
    void SetDescription(const QString& text);
    // A word: 0 to 65535.
    int Ident() const { return ident_; }
    void SetIdent(int ident);
    bool Compressed() const { return compressed_; }
    void SetCompressed(bool compressed);
    TLXSavePixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TLXSavePixelFormat format);

    virtual void ClearData() = 0;
    virtual bool IsEmpty() const { return false; }
    // Data that do not hold together raise EReadError and leave the item without data.
    void LoadFromStream(QIODevice& stream);
    void SaveToStream(QIODevice& stream) const;
    virtual uint8_t StreamFlags() const;
    // The settings and a copy of the data of an item of the same class.
    virtual void AssignItem(const TLXListItem& source);

    // Notifies the container too, with the item as sender.
    void Changed() override;

protected:
    explicit TLXListItem(QObject* owner);
    // Whether the record carries data (flag ifData).
    virtual bool HasData() const { return false; }
    virtual void ReadData(QIODevice& stream, uint8_t flags) = 0;
    virtual void WriteData(QIODevice& stream) const = 0;
    // The depth code the pixel format is written at: -1 the bitmap's own, 2, 16 or 256.
    int Depth() const;

private:
    friend class TLXCustomContainer;
    TLXCustomContainer* container_ = nullptr;
    QString description_;
    int ident_ = 0;
    bool compressed_ = false;
    TLXSavePixelFormat pixelFormat_ = spfDefault;
};

class TLXBitmapListItem : public TLXListItem {
    Q_OBJECT
public:
    explicit TLXBitmapListItem(QObject* owner = nullptr);
    platform::TBitmap& Bitmap() { return bitmap_; }
    const platform::TBitmap& Bitmap() const { return bitmap_; }
    void SetBitmap(const platform::TBitmap& bitmap) { bitmap_ = bitmap; }
    void ClearData() override;
    void AssignItem(const TLXListItem& source) override;

protected:
    bool HasData() const override { return !bitmap_.Empty(); }
    void ReadData(QIODevice& stream, uint8_t flags) override;
    void WriteData(QIODevice& stream) const override;

private:
    platform::TBitmap bitmap_;
};

class TLXStringListItem : public TLXListItem {
    Q_OBJECT
public:
    explicit TLXStringListItem(QObject* owner = nullptr);
    const QStringList& Items() const { return items_; }
    void SetItems(const QStringList& items);
    void ClearData() override;
    void AssignItem(const TLXListItem& source) override;

protected:
    bool HasData() const override { return !items_.isEmpty(); }
    void ReadData(QIODevice& stream, uint8_t flags) override;
    void WriteData(QIODevice& stream) const override;

private:
    QStringList items_;
};

class TLXWaveListItem : public TLXListItem {
    Q_OBJECT
public:
    explicit TLXWaveListItem(QObject* owner = nullptr);
    TLXWave& Wave() { return wave_; }
    const TLXWave& Wave() const { return wave_; }
    void ClearData() override;
    void AssignItem(const TLXListItem& source) override;

protected:
    bool HasData() const override { return !wave_.Empty(); }
    void ReadData(QIODevice& stream, uint8_t flags) override;
    void WriteData(QIODevice& stream) const override;

private:
    TLXWave wave_;
};
