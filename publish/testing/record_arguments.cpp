// Stands in for a browser in the link tests: writes its whole command line to
// the file named by its first argument, then ends.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char **argv) {
    if (argc < 2)
        return 2;
    FILE *out = std::fopen(argv[1], "wb");
    if (!out)
        return 3;
    std::fputs(::GetCommandLineA(), out);
    std::fclose(out);
    return 0;
}
