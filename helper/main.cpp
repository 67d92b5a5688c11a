// kehrwerk-crunch SOURCE TARGET: writes a compacted copy of the compound file
// SOURCE to the new file TARGET. Runs as a process of its own, within limits,
// so that a damaged file can bring down only this helper.
#include "platform/StorageCopy.h"

#include <cstdio>
#include <sys/resource.h>
#include <sys/stat.h>

// AddressSanitizer reserves far more address space than any limit here.
#if defined(__SANITIZE_ADDRESS__)
#define KW_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KW_ADDRESS_SANITIZER
#endif
#endif

namespace {

void limit(int resource, rlim_t value)
{
    const rlimit l{value, value};
    setrlimit(resource, &l);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: kehrwerk-crunch SOURCE TARGET\n", stderr);
        return StorageCopy::Failed;
    }
    struct stat st;
    const rlim_t size = stat(argv[1], &st) == 0 ? rlim_t(st.st_size) : 0;
#ifndef KW_ADDRESS_SANITIZER
    limit(RLIMIT_AS, (rlim_t(1) << 30) + size * 8);
#endif
    limit(RLIMIT_CPU, 300);
    limit(RLIMIT_CORE, 0);
    limit(RLIMIT_FSIZE, size * 2 + (rlim_t(1) << 20));
    return StorageCopy::copy(argv[1], argv[2]);
}
