// Vortan: reads peaks off recorded chart data.
#include "app/window/startup.h"

int main(int argc, char** argv) {
    return RunVortan(argc, argv);
}
