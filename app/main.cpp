// Vortan: reads peaks off recorded chart data.
#include "app/startup.h"

int main(int argc, char** argv) {
    return RunVortan(argc, argv);
}
