// vantorkorb-convert: turns screenshots into PNG files; understands "-v. -out png -D <folder>/*.*".
#include <cstdio>
#include <string>
#include <vector>

#include <malloc.h>

#include "ConvertTool.h"

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::printf(
            "usage: vantorkorb-convert [-v] -out png [-D] FILES...\n"
            "Writes <name>.png beside every PCX, BMP or JPEG picture that FILES names; FILES may hold\n"
            "the wildcards * and ?, matched without regard to letter case. -D deletes a source once\n"
            "its PNG is written whole and reads back to the same pixels. An existing <name>.png is\n"
            "never replaced. The exit status is 1 when a file could not be converted.\n");
        return 0;
    }
    // Every file needs the same few buffers of some hundred kilobytes. Kept in the heap for the next file,
    // they are not mapped afresh, page by page, each time: a tenth of the converter's processor time.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    return RunConverter(arguments, stdout, stderr);
}
