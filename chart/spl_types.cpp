#include "chart/spl_types.h"

SplChart CurrentChart;
std::optional<std::string> ChartFileName;
std::optional<std::string> ChartBaseName;

std::string BaseNameOf(const std::string& path) {
    size_t cut = path.find_last_of("/\\");
    if (cut != std::string::npos) return path.substr(cut + 1);
    if (path.size() >= 2 && path[1] == ':') return path.substr(2);
    return path;
}

void SetChartFileName(const std::string& path) {
    ChartFileName = path;
    ChartBaseName = BaseNameOf(path);
}
