#pragma once
// The logo window: the station's own picture on the desktop, frameless and above the other windows,
// sized to its picture. A press on the picture drags the window.
#include <QWidget>

class QLabel;

class TFLogo : public QWidget {
    Q_OBJECT
public:
    TFLogo();

    // LogoFile, or AppDir + "logo.bmp" when LogoFile names no file, becomes the picture; a file that
    // cannot be read keeps the picture shown (the path is kept all the same, as the settings save it).
    void LoadLogo();

    QLabel* Image1;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetPicture(const QPixmap& picture);

    bool firstShow_ = true;
};

inline TFLogo* FLogo = nullptr;
