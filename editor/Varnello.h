#pragma once
// The whole life of the combinations editor in this process: the splash, the combinations window as the
// main window with the file search, information and about windows, the message loop until the
// combinations window closes, then the windows destroyed. A termination signal writes unsaved edits and
// ends the program without a question. Needs the application object; returns the program's exit code.
int RunVarnello();

class WindowList;
// The editor's windows, in their order of creation: the combinations window in its standalone mode,
// the file search, the information window and the two about windows.
void AddVarnelloWindows(WindowList& windows);
