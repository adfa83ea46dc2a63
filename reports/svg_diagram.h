#pragma once

#include <string>

#include "reports/pressure_plot.h"

namespace heatnet {

// The water-pressure diagram as a self-contained SVG document in UTF-8: supply
// lines red, return lines blue, the main line thicker, rings dashed, low-pressure
// nodes ringed in orange, and every node's values in a <title> a browser shows
// on hover. Opens in any browser; needs no drawing library to write.
std::string FormatDiagramSvg(const PressurePlot& plot, const std::string& title);

// Writes it atomically (WriteFileReplacing); false when the file cannot be written.
bool WriteDiagramSvg(const std::string& path, const PressurePlot& plot, const std::string& title);

}  // namespace heatnet
