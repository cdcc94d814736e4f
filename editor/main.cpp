// Varnello: the combinations editor beside the station program.
#include "editor/Varnello.h"
#include "shell/ProgramMain.h"

int main(int argc, char** argv)
{
    return ProgramMain(argc, argv, RunVarnello);
}
