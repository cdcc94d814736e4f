#include "shell/MyAbout.h"

#include "foundation_gui/WindowHelpers.h"
#include "platform/Messages.h"
#include "platform_gui/PageControl.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QWidget* Page(const char* name, const QString& text)
{
    auto* page = Named(new QWidget, name);
    auto* label = new QLabel(text, page);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(label);
    layout->addStretch();
    return page;
}

const char* const ProgramText = "Sonvela Zodu 1.5\n\n"
                                "The playout program of a small radio station, with Varnello, its "
                                "combinations editor, and Tastrel, its emergency-key library.\n\n"
                                "Free software: see the \"Libraries\" page for what it is built on.";

const char* const LibrariesText = "Qt 6: GNU Lesser General Public License v3\n"
                                  "FFmpeg: GNU Lesser General Public License v2.1 or later\n"
                                  "ALSA library: GNU Lesser General Public License v2.1 or later\n"
                                  "libsamplerate: BSD 2-Clause License\n"
                                  "KissFFT: BSD 3-Clause License";

} // namespace

TFMyAbout::TFMyAbout()
    : QDialog(nullptr,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      PC(Named(new platform::TPageControl(this), "PC")), TSAuthor(Page("TSAuthor", ProgramText)),
      TSLibraries(Page("TSLibraries", LibrariesText)),
      OKButton(Named(new QPushButton("&Close", this), "OKButton"))
{
    setObjectName(QStringLiteral("FMyAbout"));
    setWindowTitle(QStringLiteral("About"));
    platform::RegisterWindow(this, QStringLiteral("TFMyAbout"));
    PC->AddPage(TSAuthor, QStringLiteral("Author"));
    PC->AddPage(TSLibraries, QStringLiteral("Libraries"));
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PC, 1);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    resize(380, 260);
}

void TFMyAbout::ShowModal()
{
    ShowModalWindow(this);
}

void TFMyAbout::showEvent(QShowEvent* event)
{
    PC->SetActivePageIndex(PC->IndexOf(TSAuthor));
    QDialog::showEvent(event);
}
