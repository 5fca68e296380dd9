// Draws the application icon: the 32 x 32, 16-colour icon and a 128 x 128 one for the desktop.
//
//   appicon <out32.png> <out128.png>

#include "IconDesign.h"

#include <QImage>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <out32.png> <out128.png>\n", argv[0]);
        return 2;
    }
    if (!IconDesign::small().save(argv[1], "PNG")) {
        std::fprintf(stderr, "appicon: cannot write %s\n", argv[1]);
        return 1;
    }
    if (!IconDesign::large(128).save(argv[2], "PNG")) {
        std::fprintf(stderr, "appicon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
