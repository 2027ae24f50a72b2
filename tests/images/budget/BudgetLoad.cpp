// budget-load screenshot|picture <file> <bytes>: exits with 0 when the picture loads while the address space
// grows by at most the bytes. Not a fork of the test: a fork of a process whose image conversions have
// started Qt's thread pool waits forever for threads it does not have.

#include <sys/resource.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "images/PictureFormats.h"
#include "images/ScreenshotLoad.h"

static long long AddressSpaceInUse()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long long kilobytes = 0;
    while (status >> key) {
        if (key == "VmSize:" && status >> kilobytes)
            return kilobytes * 1024;
        status.ignore(1 << 10, '\n');
    }
    return -1;
}

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const std::string kind = argv[1], path = argv[2];
    const rlim_t limit = static_cast<rlim_t>(AddressSpaceInUse() + std::atoll(argv[3]));
    const rlimit bound{limit, limit};
    if (setrlimit(RLIMIT_AS, &bound) != 0)
        return 2;
    return (kind == "screenshot" ? LoadScreenshotFile(path) : LoadPictureFile(path)).Ok() ? 0 : 1;
}
