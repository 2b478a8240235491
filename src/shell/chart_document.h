#pragma once
// A chart as plain data: the logic says what a chart shows, the platform draws it (on screen, in a
// print preview, or as a JPEG picture). Texts are Windows-1252, like every record text.

#include <cstdint>
#include <string>
#include <vector>

namespace wickly {

// The two surfaces of the chart window: bars with a line over them, or a pie.
enum class ChartSurface
{
    Bar,
    Pie,
};

// One bar, line point or slice. `colour` is an index of the standard 16-colour palette.
struct ChartPoint
{
    double value = 0;
    std::string label; // axis label of a bar (may be empty), or the slice's label
    int colour = 0;
    bool operator==(const ChartPoint&) const = default;
};

struct ChartDocument
{
    ChartSurface surface = ChartSurface::Bar;
    std::string caption;                 // the chart window's caption
    std::vector<std::string> titleLines; // the chart title, one entry per line
    std::string leftAxisTitle;           // bar surface only
    std::string bottomAxisTitle;         // bar surface only
    std::vector<ChartPoint> bars;        // bar surface: one bar per point, in order
    std::vector<ChartPoint> line;        // bar surface: a line over the bars, one point per bar
    std::vector<ChartPoint> slices;      // pie surface
    bool operator==(const ChartDocument&) const = default;
};

// The red, green and blue of a palette index as 0x00RRGGBB; black for an index outside 0..15.
constexpr std::uint32_t ChartPaletteRgb(int index)
{
    constexpr std::uint32_t palette[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                           0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                           0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    return index >= 0 && index < 16 ? palette[index] : 0;
}

} // namespace wickly
