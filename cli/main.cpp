// vortan-cli: batch work on chart files without a screen.
#include <cstdio>

int main() {
    std::puts("vortan-cli: not ready yet");
    return 1;
}
