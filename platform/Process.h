#pragma once
// Starting other programs, counting running copies of one, and starting the desktop's volume control.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

// What the original reported for a process that was started and has not ended yet.
constexpr int STILL_ACTIVE = 259;
// Show states callers pass; a started program places its own windows here.
constexpr int SW_SHOWNORMAL = 1;

// Starts the command line (a program and its arguments, split at blanks outside "..." and '...').
// With wait: waits for the end and returns the exit code. Without: returns STILL_ACTIVE once it
// started. 0 when it could not be started.
int RunProgram(const QString& commandLine, int showState, bool wait);

// The program's path as one word of a command line: as it is when it holds no blank and no quote,
// otherwise quoted so that RunProgram splits it back to exactly that path.
QString CommandLineWord(const QString& path);

// The program a process runs, from the target of its /proc "exe" link: a program replaced on disk
// while it runs is still that program. Empty for kernel threads and processes not ours to inspect.
QString ProcessImageName(const QString& exeLink);

// One running process: the user it runs as and its image name.
struct RunningProcess {
    uint owner = 0;
    QString image;
};

// True when the process runs the executable file at executablePath as user. Another user's copy of
// the same program (another station on a shared machine) is not an instance of this one.
bool IsInstanceOf(const RunningProcess& process, const QString& executablePath, uint user);

// How many processes of the calling user run the executable file at executablePath (symbolic links
// resolved, as the system names it); the caller's own process counts when it runs that file.
int CountRunningInstances(const QString& executablePath);

// Finds a program on PATH; empty when it is not there.
using ProgramFinder = std::function<QString(const QString& name)>;

// The command that shows the desktop's volume control: "pavucontrol", else "alsamixer" in a
// terminal; empty when neither can be run.
QStringList SystemMixerCommand(const QString& parameters, const ProgramFinder& findProgram);

// Starts the volume control; false when nothing could be started.
bool OpenSystemMixer(const QString& parameters = QString());

} // namespace platform
