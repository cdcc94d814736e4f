#pragma once
// The single road out of the program. Every exit request (the settings window's close box and Exit
// item, the windows bar's close button) reaches the login window as WM_CLOSE, which asks "Ok to
// exit?"; Yes saves the settings, frees the audio and ends the message loop. Until the settings
// window's first showing has loaded the settings and set up the audio, every way out ends the loop
// at once: there is nothing to save and no audio to free.
//
// After the loop: the log is closed and the windows are destroyed (RunStation).

// Asks the exit question (once at a time) and takes the confirmed exit on Yes.
void RequestExit();
// The confirmed exit without the question: a termination signal (logout, shutdown, Ctrl+C).
void ExitWithoutQuestion();
// Ends the loop with no question, no save and no audio shut-down.
void EndAtOnce(int exitCode = 0);

// A new program life: the road is open again (each run of RunStation starts here).
void ResetExitRoad();
