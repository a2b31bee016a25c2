#include "app/Programme.h"

int main(int argc, char** argv)
{
    return LancerProgramme(argc, argv);
}
