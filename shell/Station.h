#pragma once
// The whole life of the station program in this process: the splash, the windows in their order, the
// message loop (login, then the settings window's first showing), and after the loop the log closed
// and the windows destroyed. Needs the application object; returns the program's exit code.
int RunStation();
