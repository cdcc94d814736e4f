#pragma once
// A station window whose own work is not built yet: it carries its class and instance names and takes
// window messages, so the creation order, FindWindow and the window-place code already see it.
#include <QString>
#include <QWidget>

class TStubWindow : public QWidget {
    Q_OBJECT
protected:
    TStubWindow(const QString& className, const QString& instanceName);
};
