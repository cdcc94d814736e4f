#pragma once
// A fresh temporary folder for one test; removed with everything in it when the test ends.
#include <QString>
#include <QTemporaryDir>

class TempFolder {
public:
    TempFolder() : dir_(QDir::tempPath() + "/sz-test-XXXXXX") {}
    bool IsValid() const { return dir_.isValid(); }
    // The folder with a trailing "/", the way the program keeps its folders.
    QString Path() const { return dir_.path() + "/"; }
    QString File(const QString& name) const { return Path() + name; }

private:
    QTemporaryDir dir_;
};
