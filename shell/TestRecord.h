#pragma once
// For tests that run the built program as a process. When the environment variable names a file, the
// process id goes into it first ("pid 123"), then every step marker and every box as a line ("trace S6",
// "dialog caption: text"); each box is answered by its default button (Cancel for input and file boxes)
// instead of being shown.
inline constexpr char TestRecordVariable[] = "SONVELA_TEST_RECORD";

void StartTestRecord();
