#include <exception>
#include <string>
#include <vector>

#include "compiler/binmaker.h"
#include "compiler/console.h"
#include "compiler/driver.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    TStdConsole console;
    try {
        return RunVelkc(args, console);
    } catch (const std::exception& e) {
        // An abort would exit with 3, which build scripts read as an error in
        // an include; say what happened and that nothing was written.
        console.WriteLine(std::string("Error : ") + e.what());
        return kExitWriteFailed;
    }
}
