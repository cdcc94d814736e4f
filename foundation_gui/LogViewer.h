#pragma once
// Showing the station's log outside the program.
class TLog;

// When FlushEach, flushes the log first; then shows its file in the desktop's viewer, or the message
// "Error launching the external application" when none starts.
void ViewLogFile(TLog& log);
