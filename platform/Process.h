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

// How many running processes have this executable file name, compared without regard to case;
// the caller's own process counts.
int CountRunningInstances(const QString& executableName);

// The image name of one process: the target of its /proc "exe" link, or, when that cannot be read
// (another user's process), its argv[0] from "cmdline". Empty for kernel threads.
QString ProcessImageName(const QString& exeLink, const QByteArray& cmdline);

// Finds a program on PATH; empty when it is not there.
using ProgramFinder = std::function<QString(const QString& name)>;

// The command that shows the desktop's volume control: "pavucontrol", else "alsamixer" in a
// terminal; empty when neither can be run.
QStringList SystemMixerCommand(const QString& parameters, const ProgramFinder& findProgram);

// Starts the volume control; false when nothing could be started.
bool OpenSystemMixer(const QString& parameters = QString());

} // namespace platform
