#include "Logic/Utilities/CLI.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv, argv + argc);
    // A command word runs the command line before anything graphical exists, so it works with no display.
    if (zn::CLI::isCommandLineInvocation(arguments))
        return zn::CLI::run(std::vector<std::string>(arguments.begin() + 1, arguments.end()),
                            {std::cout, std::cerr});

    std::cerr << "zelvanexal: the window is not built yet; run 'zelvanexal help' for the command line\n";
    return 1;
}
