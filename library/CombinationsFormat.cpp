#include "library/CombinationsFormat.h"

#include "platform/Text.h"

#include <QStringDecoder>

#include <cstring>
#include <utility>

namespace library {

namespace {

enum Tag : uint8_t {
    ListEnd = 0x00,
    ListBegin = 0x01,
    Int8 = 0x02,
    Int16 = 0x03,
    Int32 = 0x04,
    ShortText = 0x06,
    False = 0x08,
    True = 0x09,
    LongText = 0x0C,
    WideText = 0x12,
    Utf8Text = 0x14,
};

class Writer {
public:
    explicit Writer(QByteArray& out) : out_(out) { out_.append(char(ListBegin)); }
    void Finish() { out_.append(char(ListEnd)); }

    void Node(int32_t level, const QString& text, int32_t imageIndex, bool expanded, const TCombiData& data)
    {
        Int(level);
        Text(text);
        Int(imageIndex);
        out_.append(char(expanded ? True : False));
        Text(data.Name);
        Int(data.Kind);
        Int(data.ImageIndex);
        Int(int32_t(uint32_t(uint64_t(data.Duration)))); // only the low 32 bits are kept
    }

private:
    void Int(int32_t value)
    {
        if (value >= -128 && value <= 127) {
            out_.append(char(Int8));
            out_.append(char(int8_t(value)));
        } else if (value >= -32768 && value <= 32767) {
            out_.append(char(Int16));
            LittleEndian(uint32_t(value), 2);
        } else {
            out_.append(char(Int32));
            LittleEndian(uint32_t(value), 4);
        }
    }

    void LittleEndian(uint32_t value, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            out_.append(char(value >> (8 * i)));
    }

    void Text(const QString& text)
    {
        bool ascii = true;
        for (QChar c : text) {
            if (c.unicode() >= 0x80) {
                ascii = false;
                break;
            }
        }
        if (!ascii) {
            const QByteArray utf8 = text.toUtf8();
            out_.append(char(Utf8Text));
            LittleEndian(uint32_t(utf8.size()), 4);
            out_.append(utf8);
            return;
        }
        if (text.size() <= 255) {
            out_.append(char(ShortText));
            out_.append(char(text.size()));
        } else {
            out_.append(char(LongText));
            LittleEndian(uint32_t(text.size()), 4);
        }
        // Seven-bit text: each character is its byte, written without a temporary copy.
        const qsizetype start = out_.size();
        out_.resize(start + text.size());
        char* dest = out_.data() + start;
        for (QChar c : text)
            *dest++ = char(c.unicode());
    }

    QByteArray& out_;
};

// A surrogate without its partner cannot be written as UTF-8: it becomes U+FFFD, as UTF-8 decoding does.
void ReplaceLoneSurrogates(QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
}

class Reader {
public:
    Reader(const QByteArray& bytes, DecodeError& error)
        : data_(reinterpret_cast<const uint8_t*>(bytes.constData())), size_(bytes.size()), error_(error)
    {
    }

    bool Begin()
    {
        if (size_ == 0 || data_[0] != ListBegin)
            return Fail(QStringLiteral("no list-begin tag"), 0);
        pos_ = 1;
        return true;
    }

    // True when a node follows; false at the list-end tag or on an error (then `Failed()`).
    bool NextNode()
    {
        if (pos_ >= size_)
            return Ended();
        return data_[pos_] != ListEnd;
    }

    bool Node(CombiRecord& record)
    {
        int32_t duration = 0;
        if (!Int(record.level) || !Text(record.text) || !Int(record.imageIndex) || !Bool(record.expanded) ||
            !Text(record.data.Name) || !Int(record.data.Kind) || !Int(record.data.ImageIndex) ||
            !Int(duration))
            return false;
        record.data.Duration = duration;
        return true;
    }

    int64_t Offset() const { return pos_; }
    bool Failed() const { return failed_; }
    bool Fail(const QString& reason, int64_t offset)
    {
        failed_ = true;
        error_ = {reason, offset};
        return false;
    }

private:
    bool Ended() { return Fail(QStringLiteral("the file ends before the end of the list"), size_); }

    bool Int(int32_t& value)
    {
        if (pos_ >= size_)
            return Ended();
        const uint8_t tag = data_[pos_];
        const int64_t bytes = tag == Int8 ? 1 : tag == Int16 ? 2 : tag == Int32 ? 4 : 0;
        if (bytes == 0)
            return Fail(QStringLiteral("integer expected"), pos_);
        if (size_ - pos_ - 1 < bytes)
            return Ended();
        uint32_t raw = 0;
        for (int64_t i = 0; i < bytes; ++i)
            raw |= uint32_t(data_[pos_ + 1 + i]) << (8 * i);
        value = bytes == 1 ? int8_t(raw) : bytes == 2 ? int16_t(raw) : int32_t(raw);
        pos_ += 1 + bytes;
        return true;
    }

    bool Bool(bool& value)
    {
        if (pos_ >= size_)
            return Ended();
        value = data_[pos_++] == True; // any other byte is false, and only it is consumed
        return true;
    }

    bool Text(QString& text)
    {
        if (pos_ >= size_)
            return Ended();
        const int64_t tagAt = pos_;
        const uint8_t tag = data_[pos_];
        if (tag != ShortText && tag != LongText && tag != WideText && tag != Utf8Text)
            return Fail(QStringLiteral("text expected"), tagAt);
        const int64_t lengthBytes = tag == ShortText ? 1 : 4;
        if (size_ - pos_ - 1 < lengthBytes)
            return Ended();
        uint32_t length = 0;
        for (int64_t i = 0; i < lengthBytes; ++i)
            length |= uint32_t(data_[pos_ + 1 + i]) << (8 * i);
        pos_ += 1 + lengthBytes;
        // The length is checked against what is left before anything is allocated.
        const int64_t bytes = tag == WideText ? int64_t(length) * 2 : int64_t(length);
        if (size_ - pos_ < bytes)
            return tag == ShortText ? Ended()
                                    : Fail(QStringLiteral("a text length beyond the end of the file"), tagAt);
        const auto* start = reinterpret_cast<const char*>(data_ + pos_);
        pos_ += bytes;
        // Malformed UTF-8 or UTF-16 becomes U+FFFD, so the text writes back as valid UTF-8; a byte order
        // mark is kept as a character.
        const auto flags = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;
        switch (tag) {
        case WideText:
            text = QStringDecoder(QStringConverter::Utf16LE, flags)(QByteArrayView(start, bytes));
            ReplaceLoneSurrogates(text);
            break;
        case Utf8Text:
            text = QStringDecoder(QStringConverter::Utf8, flags)(QByteArrayView(start, bytes));
            break;
        default: // old files: 8-bit text in the original's code page
            text = platform::DecodeWindows1252(QByteArray::fromRawData(start, qsizetype(bytes)));
        }
        return true;
    }

    const uint8_t* data_;
    int64_t size_;
    int64_t pos_ = 0;
    bool failed_ = false;
    DecodeError& error_;
};

} // namespace

QByteArray EncodeRecords(const std::vector<CombiRecord>& records)
{
    QByteArray out;
    Writer writer(out);
    for (const CombiRecord& record : records)
        writer.Node(record.level, record.text, record.imageIndex, record.expanded, record.data);
    writer.Finish();
    return out;
}

bool DecodeCombinations(const QByteArray& bytes, std::vector<CombiRecord>& records, DecodeError& error)
{
    records.clear();
    Reader reader(bytes, error);
    if (!reader.Begin())
        return false;
    // The node placed last and its ancestors, by depth in the tree.
    std::vector<int> path;
    while (reader.NextNode()) {
        const int64_t start = reader.Offset();
        CombiRecord record;
        if (!reader.Node(record))
            return false;
        const int64_t last = int64_t(path.size()) - 1;
        int64_t depth = 0;
        if (path.empty())
            depth = 0;
        else if (record.level > last)
            depth = last + 1; // a jump of several levels still gives a child of the last node
        else
            depth = std::max<int64_t>(record.level, 0);
        if (depth >= MaxDepth)
            return reader.Fail(QStringLiteral("nodes nested deeper than %1 levels").arg(MaxDepth), start);
        path.resize(size_t(depth));
        record.parent = path.empty() ? -1 : path.back();
        path.push_back(int(records.size()));
        records.push_back(std::move(record));
    }
    return !reader.Failed();
}

} // namespace library
