#include "CommandLine/CLI.h"
#include "Platform/core/WindowModule.h"
#include "Services/CleaningEngine+PrivilegedRemoval.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv, argv + argc);
    // Started through pkexec as the administrator side of a clean: nothing else of the program runs.
    if (zn::isPrivilegedRemovalInvocation(arguments))
        return zn::runPrivilegedRemoval(arguments, std::cin, std::cout, zn::systemPrivilegedRemovalContext());
    // A command word runs the command line before anything graphical exists, so it works with no display.
    if (zn::CLI::isCommandLineInvocation(arguments))
        return zn::CLI::run(std::vector<std::string>(arguments.begin() + 1, arguments.end()),
                            {std::cout, std::cerr});
    return zn::runWindowModule(argc, argv, std::cerr);
}
