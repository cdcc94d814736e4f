#pragma once
// What both programs' main does around their own life: the display platform, the application object
// with its error boundary, the control library, and the test record when a test asks for it.
#include <functional>

int ProgramMain(int argc, char** argv, const std::function<int()>& run);
