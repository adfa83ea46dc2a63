#pragma once

#include <string>

#include "hydraulics/network_model.h"
#include "hydraulics/user_interaction.h"

namespace heatnet {

// The water-pressure diagram's ENTITIES section, from its SECTION line to the
// final EOF: supply and return pressure (kPa, y) against the distance from the
// main heat source (m, x), with values at the main-line nodes and two axes.
// A network whose segments cannot all be placed within the first 399 list
// positions gets an empty section.
std::string FormatDiagramEntities(const NetworkModel& model);

// Writes the template's header followed by the entities to `path`, replacing an
// earlier diagram only with a complete one. A missing or unusable template, or a
// file that cannot be written, is told to the person and writes nothing.
// Returns whether the diagram was written.
bool WriteDiagram(const NetworkModel& model, const std::string& templatePath,
                  const std::string& path, UserInteraction& person);

}  // namespace heatnet
