#include "game/shell/program/VelkProgram.hpp"

int main(int argc, char** argv)
{
    return velk::runGame(argc, argv);
}
