#pragma once
// The whole life of the combinations editor in this process: the splash, the combinations window as the
// main window with the file search, information and about windows, the message loop until the
// combinations window closes, then the windows destroyed. A termination signal writes unsaved edits and
// ends the program without a question. Needs the application object; returns the program's exit code.
int RunVarnello();
