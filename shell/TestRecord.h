#pragma once
// For tests that run the built program as a process. When the environment variable names a file,
// every step marker and every box goes into it as a line ("trace S6", "dialog caption: text"), and
// each box is answered by its default button (Cancel for input and file boxes) instead of being shown.
inline constexpr char TestRecordVariable[] = "SONVELA_TEST_RECORD";

void StartTestRecord();
