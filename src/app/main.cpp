#include "program.h"

int main(int argc, char** argv) {
    return corpgather::RunProgram(argc, argv);
}
