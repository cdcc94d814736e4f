#pragma once
// The line-in event dialog: the operator names a line-in event and says how long the sound card's
// input takes the air. The channel shows it modally and, unless it was cancelled, appends the
// event's text as a line-in entry.
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QSpinBox;
class TLXButton;

struct TLineInEvent {
    QString Text; // the line-in entry
    int Seconds = 0;
};

class TFLineInEvent : public QDialog {
    Q_OBJECT
public:
    TFLineInEvent();

    QLabel* LName;
    QLineEdit* EName;
    QLabel* LDuration;
    QLabel* LHours;
    QSpinBox* SEHours;
    QLabel* LMinuts;
    QSpinBox* SEMinuts;
    QLabel* LSeconds;
    QSpinBox* SESeconds;
    TLXButton* BOk;
    TLXButton* BCancel;

    // Shows the dialog modally, through the dialog service: an answerer's values fill EName, SEHours,
    // SEMinuts and SESeconds in that order before its button is pressed.
    void ShowModal();
    bool IsCancelled() const { return Cancelled; }
    void GetEvent(TLineInEvent& event) const { event = Event; }

    // BOk: closes only with a name and a duration above 0 s.
    void Ok();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Every showing starts empty and cancelled.
    void Clear();

    TLineInEvent Event;
    bool Cancelled = true;
};

inline TFLineInEvent* FLineInEvent = nullptr;
