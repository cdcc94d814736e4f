// Sonvela Zodu: the station program.
#include "shell/ProgramMain.h"
#include "shell/Station.h"

int main(int argc, char** argv)
{
    return ProgramMain(argc, argv, RunStation);
}
