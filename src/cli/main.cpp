// ravik-cli: the program's commands without windows.
#include "cli/commands.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    try {
        return ravik::cli::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "ravik-cli: " << error.what() << "\n";
        return 1;
    }
}
