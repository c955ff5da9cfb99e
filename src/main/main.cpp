// ravitol: memory-tuning recommendations for a file server, from its segment
// statistics report or from figures typed at the console.
#include "run.hpp"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return ravitol::runProgram(arguments);
}
