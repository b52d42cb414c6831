#include <string>
#include <vector>

#include "compiler/console.h"
#include "compiler/driver.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    TStdConsole console;
    return RunVelkc(args, console);
}
