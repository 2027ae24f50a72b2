// Loads one picture in a process whose address space may grow by no more than a budget, and exits with 0
// when the load succeeded. A fresh process, not a fork of the test: a forked child of a process whose
// image conversions have started their thread pool waits forever for threads it does not have.
// Usage: budget-load screenshot|picture <file> <budget bytes>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "images/PictureFormats.h"
#include "images/ScreenshotLoad.h"

namespace {

long long AddressSpaceInUse()
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

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const std::string kind = argv[1];
    const std::string path = argv[2];
    const rlim_t limit = static_cast<rlim_t>(AddressSpaceInUse() + std::atoll(argv[3]));
    const rlimit bound{limit, limit};
    if (setrlimit(RLIMIT_AS, &bound) != 0)
        return 2;
    const TPictureResult result = kind == "screenshot" ? LoadScreenshotFile(path) : LoadPictureFile(path);
    if (!result.Ok())
        std::fprintf(stderr, "budget-load: %s: %s\n", path.c_str(), result.Error.c_str());
    return result.Ok() ? 0 : 1;
}
