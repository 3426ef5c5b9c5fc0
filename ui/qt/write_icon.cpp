// Writes the program's icon as a PNG of the given size, for installing.
#include <cstdio>
#include <cstdlib>

#include "ui/qt/icon.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SIZE FILE.png\n", argv[0]);
        return 2;
    }
    const int size = std::atoi(argv[1]);
    if (size <= 0 || !zonora::drawIcon(size).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
