#pragma once
// The small stay-on-top window that says which folder page and folder are being read.
#include <QDialog>

class QLabel;

class TFMessage : public QDialog {
    Q_OBJECT
public:
    TFMessage();

    void SetText(const QString& text);
    QString Text() const;

    QLabel* PMensaje;

protected:
    void showEvent(QShowEvent* event) override;
};

inline TFMessage* FMessage = nullptr;
