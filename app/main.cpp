// Pagewisp: creates the application and the main window.
#include "editor/application.h"

int main(int argc, char *argv[])
{
    return runPagewisp(argc, argv);
}
