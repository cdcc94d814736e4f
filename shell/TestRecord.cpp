#include "shell/TestRecord.h"

#include "platform_gui/Dialogs.h"
#include "shell/Trace.h"

#include <QCoreApplication>
#include <QFile>

namespace {

void Append(const QString& path, const QString& line)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write((line + '\n').toUtf8());
}

class RecordingAnswerer : public platform::DialogAnswerer {
public:
    explicit RecordingAnswerer(QString path) : path_(std::move(path)) {}

    platform::DialogAnswer Answer(const platform::DialogRequest& request) override
    {
        Append(path_, "dialog " + request.caption + ": " + request.text);
        if (request.kind != platform::DialogKind::MessageBox)
            return {QMessageBox::Cancel, {}};
        if (request.defaultButton != QMessageBox::NoButton)
            return {request.defaultButton, {}};
        return {request.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok, {}};
    }

private:
    QString path_;
};

} // namespace

void StartTestRecord()
{
    const QString path = qEnvironmentVariable(TestRecordVariable);
    if (path.isEmpty())
        return;
    // A program started by another one (the desktop client) is ended by the test through this id.
    Append(path, QStringLiteral("pid %1").arg(QCoreApplication::applicationPid()));
    static RecordingAnswerer answerer(path);
    platform::InstallDialogAnswerer(&answerer);
    SetTraceListener([path](const QString& marker) { Append(path, "trace " + marker); });
}
