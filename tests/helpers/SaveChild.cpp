// Saves a file through the program's save path over and over, until it is
// killed: the other half of the kill-during-save test. Prints "zapisuje"
// once it is about to save the first version.
#include "../helpers/SaveVersions.h"
#include "qtbase/FileIO.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const QString file = QString::fromLocal8Bit(argv[1]);
    const unsigned first = static_cast<unsigned>(std::stoul(argv[2]));
    std::puts("zapisuje");
    std::fflush(stdout);
    for (unsigned k = first;; ++k)
        WriteFileAtomically(file, SaveVersion(k));
}
