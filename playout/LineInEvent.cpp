#include "playout/LineInEvent.h"

#include "controls/LXButton.h"
#include "foundation/QueueEntryText.h"
#include "foundation_gui/WindowHelpers.h"
#include "platform/Messages.h"
#include "platform_gui/Dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QSpinBox>

namespace {

QSpinBox* SpinEdit(QWidget* parent, const char* name, int maximum)
{
    auto* spin = Named(new QSpinBox(parent), name);
    spin->setRange(0, maximum);
    return spin;
}

TLXButton* Button(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = Named(new TLXButton(parent), name);
    button->SetCaption(caption);
    // The face takes the dialog's black: the caption must be light to be read on it.
    button->Font().SetColor(platform::clWhite);
    return button;
}

} // namespace

TFLineInEvent::TFLineInEvent()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("FLineInEvent");
    setWindowTitle("Line in event");
    platform::RegisterWindow(this, "TFLineInEvent");
    setStyleSheet("TFLineInEvent { background: black; } QLabel { color: white; }");

    LName = Named(new QLabel("Name", this), "LName");
    EName = Named(new QLineEdit(this), "EName");
    LDuration = Named(new QLabel("Duration", this), "LDuration");
    LHours = Named(new QLabel("Hours", this), "LHours");
    SEHours = SpinEdit(this, "SEHours", 48);
    LMinuts = Named(new QLabel("Minuts", this), "LMinuts");
    SEMinuts = SpinEdit(this, "SEMinuts", 60);
    LSeconds = Named(new QLabel("Seconds", this), "LSeconds");
    SESeconds = SpinEdit(this, "SESeconds", 60);
    BOk = Button(this, "BOk", "Ok");
    BOk->SetDefault(true);
    BCancel = Button(this, "BCancel", "Cancel");

    auto* grid = new QGridLayout(this);
    grid->addWidget(LName, 0, 0);
    grid->addWidget(EName, 0, 1, 1, 3);
    grid->addWidget(LHours, 1, 1);
    grid->addWidget(LMinuts, 1, 2);
    grid->addWidget(LSeconds, 1, 3);
    grid->addWidget(LDuration, 2, 0);
    grid->addWidget(SEHours, 2, 1);
    grid->addWidget(SEMinuts, 2, 2);
    grid->addWidget(SESeconds, 2, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BOk);
    buttons->addWidget(BCancel);
    grid->addLayout(buttons, 3, 0, 1, 4);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(BOk, &TLXButton::OnClick, this, &TFLineInEvent::Ok);
    // Cancelled is already set: every showing sets it, and only Ok clears it.
    connect(BCancel, &TLXButton::OnClick, this, &QDialog::reject);
}

void TFLineInEvent::ShowModal()
{
    platform::DialogRequest request;
    request.kind = platform::DialogKind::Window;
    request.caption = windowTitle();
    request.buttons = QMessageBox::Ok | QMessageBox::Cancel;
    request.defaultButton = QMessageBox::Ok;
    bool shown = false;
    const platform::DialogAnswer answer = platform::RunDialog(request, [&] {
        shown = true;
        exec();
        return platform::DialogAnswer{Cancelled ? QMessageBox::Cancel : QMessageBox::Ok, {}};
    });
    if (shown)
        return;
    Clear();
    EName->setText(answer.values.value(0));
    SEHours->setValue(answer.values.value(1).toInt());
    SEMinuts->setValue(answer.values.value(2).toInt());
    SESeconds->setValue(answer.values.value(3).toInt());
    if (answer.button == QMessageBox::Ok)
        Ok();
}

void TFLineInEvent::Ok()
{
    const int seconds = SEHours->value() * 3600 + SEMinuts->value() * 60 + SESeconds->value();
    Cancelled = true;
    if (EName->text().isEmpty() || seconds <= 0)
        return;
    Event.Seconds = seconds;
    Event.Text = MakeLineInItem(EName->text(), seconds);
    Cancelled = false;
    accept();
}

void TFLineInEvent::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) // the window system showing it again, not a new showing
        return;
    Clear();
    CentreOnScreen(this);
    EName->setFocus();
}

void TFLineInEvent::Clear()
{
    EName->clear();
    SEHours->setValue(0);
    SEMinuts->setValue(0);
    SESeconds->setValue(0);
    Cancelled = true;
}
