#pragma once
// The progress window: one progress bar in a small window centred on the screen.
#include <QWidget>

class QProgressBar;

class TFProgress : public QWidget {
    Q_OBJECT
public:
    TFProgress();

    QProgressBar* ProgressBar1;

protected:
    void showEvent(QShowEvent* event) override;
};

inline TFProgress* FProgress = nullptr;
