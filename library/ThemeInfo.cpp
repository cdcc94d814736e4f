#include "library/ThemeInfo.h"

#include "audioinfo/OFileData.h"
#include "controls/LbButton.h"
#include "foundation/Durations.h"
#include "foundation_gui/WindowHelpers.h"
#include "platform/Messages.h"
#include "platform_gui/Dialogs.h"
#include "platform_gui/Font.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

const QString Dashes(46, u'-');

} // namespace

QStringList ThemeInfoLines(const TOFileData& d)
{
    QStringList lines = {
        Dashes,
        "FILE",
        "   Name: " + d.FileName,
        "   Size: " + QString::number(d.Size) + " bytes",
        "   Path: " + d.Folder,
        "   Extension: " + d.Extension,
        "   Type: " + FileTypeName(d.FileType),
        Dashes,
        "THEMA",
        "   TagVersionID: " + QString::number(d.TagVersion),
        "   Duration: " + FormatDuration(d.Duration * 1000),
        "   BitRate: " + QString::number(d.Bitrate) + " KHz",
        "   Title: " + d.Title,
        "   Artist: " + d.Artist,
        "   Track: " + QString::number(d.Track),
        "   TrackString: " + d.TrackString,
        "   Album: " + d.Album,
        "   Year: " + d.Year,
        "   Comment: " + d.Comment,
        "   Genre: " + d.Genre,
        "   Composer: " + d.Composer,
        "   Theme Encoder: " + d.EncodedBy,
        "   Copyright: " + d.Copyright,
        "   Language: " + d.Language,
        "   Link: " + d.Link,
    };
    if (d.FileType == FileTypeMP3)
        lines += {
            Dashes,
            "MPEG",
            "   Version: " + d.MPEGVersion,
            "   Layer: " + d.Layer,
            "   ChannelMode: " + d.ChannelMode,
            "   Emphasis: " + d.Emphasis,
            "   Encoder: " + d.Encoder,
            "   SampleRate: " + QString::number(d.SampleRate) + " Hz",
            "   Frames: " + QString::number(d.Frames),
            "   EncoderID: " + QString::number(d.EncoderID),
        };
    return lines;
}

TFThemeInfo::TFThemeInfo()
    : QDialog(nullptr,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Panel1(new QWidget(this)), BClose(new TLbButton(Panel1)), Panel2(new QWidget(this)),
      MInfo(new QPlainTextEdit(Panel2))
{
    setObjectName(QStringLiteral("FThemeInfo"));
    platform::RegisterWindow(this, QStringLiteral("TFThemeInfo"));
    setWindowTitle(QStringLiteral("Information"));
    setFixedSize(464, 513);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(37);
    BClose->setObjectName(QStringLiteral("BClose"));
    BClose->SetCaption(QStringLiteral("&OK"));
    BClose->SetModalResult(QDialog::Accepted);
    BClose->setGeometry(192, (37 - 23) / 2, 100, 23);
    connect(BClose, &TLbButton::OnClick, this, &QDialog::accept);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    MInfo->setObjectName(QStringLiteral("MInfo"));
    MInfo->setReadOnly(true);
    MInfo->setLineWrapMode(QPlainTextEdit::NoWrap);
    MInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MInfo->setTabChangesFocus(false);
    MInfo->setFont(platform::MakeQFont(QStringLiteral("Courier New"), 8, 0));

    auto* panel2Layout = new QVBoxLayout(Panel2);
    panel2Layout->setContentsMargins(0, 0, 0, 0);
    panel2Layout->addWidget(MInfo);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel2);
    layout->addWidget(Panel1);
}

void TFThemeInfo::ShowFileData(const TOFileData& data)
{
    MInfo->setPlainText(ThemeInfoLines(data).join(u'\n'));
}

void TFThemeInfo::ShowModal()
{
    ShowModalWindow(this, MInfo->toPlainText());
}
