// A minimal host: chooses port 5 through the library and prints the result.
#include <peltrix.h>

#include <cstdio>

int main() {
    const int port = Cam_set_port(5);
    std::printf("Cam_set_port(5) = %d, Cam_error = %d\n", port, Cam_error());
    return port == 5 ? 0 : 1;
}
