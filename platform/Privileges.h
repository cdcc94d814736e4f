#pragma once
// What a program started with more rights than its user (set-user-ID, set-group-ID or a file
// capability) must not take from that user: its environment and the code in folders it can write.
#include <QString>

namespace platform {

// True when the kernel says the program runs elevated (AT_SECURE).
bool RunsElevated();

// Empty when the library at path may be loaded, else why not. A program that runs elevated loads
// only a library that no other user can change: the file and every folder above it belong to root or
// to the user who started the program, and neither group nor others may write them.
QString LibraryLoadRefusal(const QString& path, bool elevated = RunsElevated());

} // namespace platform
