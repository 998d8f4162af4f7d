// titles_soak: random operations on other programs' windows while the title writer runs over
// the real X11 backend, every title checked byte for byte. ctest runs the short form inside
// scripts/desktop-session; run the long form by hand in the same way:
//
//   scripts/desktop-session build/tests/soak/titles_soak --operations 100000
//
// Exit status: 0 every check passed, 1 a check failed, 2 bad arguments, 77 no X display.
#include "titlessoak.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string_view>

namespace {

void usage(std::FILE* out)
{
    std::fprintf(out,
                 "usage: titles_soak [--operations N] [--seed S] [--keep-going] [--verbose]\n"
                 "  --operations N  how many random operations (default 3000, the CI form)\n"
                 "  --seed S        the run to make; without it a new one, printed at the start\n"
                 "  --keep-going    after a failure, put the window right and carry on\n"
                 "  --verbose       print every operation\n");
}

// A whole unsigned number, or nothing.
bool parse(const char* text, unsigned long long& value)
{
    if (text == nullptr || *text < '0' || *text > '9') {
        return false;
    }
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return *end == '\0';
}

} // namespace

int main(int argc, char** argv)
{
    horaloom::soak::SoakOptions options;
    options.seed = std::random_device{}() % 1000000;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        unsigned long long value = 0;
        if (argument == "--operations" && parse(i + 1 < argc ? argv[i + 1] : nullptr, value)) {
            options.operations = static_cast<long>(value);
            ++i;
        } else if (argument == "--seed" && parse(i + 1 < argc ? argv[i + 1] : nullptr, value)) {
            options.seed = value;
            ++i;
        } else if (argument == "--keep-going") {
            options.keepGoing = true;
        } else if (argument == "--verbose") {
            options.verbose = true;
        } else if (argument == "--help" || argument == "-h") {
            usage(stdout);
            return 0;
        } else {
            usage(stderr);
            return 2;
        }
    }
    horaloom::soak::TitlesSoak soak(options);
    return soak.run();
}
