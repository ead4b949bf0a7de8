// ravik-cli: the program's commands without windows.
#include "cli/commands.h"
#include "core/platform/platform.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    try {
        return ravik::cli::run(ravik::platform::programArguments(argc, argv), std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "ravik-cli: " << error.what() << "\n";
        return 1;
    }
}
