// Sonvela Zodu: the station program.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName("Sonvela Zodu");
    QLabel window("Sonvela Zodu is starting.");
    window.setObjectName("FUserPassword");
    window.setWindowTitle("Sonvela Zodu");
    window.setMinimumSize(320, 120);
    window.setAlignment(Qt::AlignCenter);
    window.show();
    return app.exec();
}
