// pugixml doing what `provana convert` does, as a whole process: load a
// UTF-16 configuration, touch every node's name and text, save it indented as
// UTF-16LE. The yardstick of the convert comparison (compare-convert.sh).
#include "PugixmlWalk.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s IN OUT\n", argv[0]);
        return 2;
    }
    pugi::xml_document document;
    if (!document.load_file(argv[1])) {
        std::fprintf(stderr, "cannot load %s\n", argv[1]);
        return 3;
    }
    size_t touched = 0;
    if (WalkPugixml(document, touched) <= 0 || touched == 0)
        return 3;
    if (!document.save_file(argv[2], "  ", pugi::format_indent, pugi::encoding_utf16_le))
        return 4;
    return 0;
}
