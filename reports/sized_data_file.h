#pragma once

#include <string>

#include "hydraulics/network_model.h"
#include "hydraulics/standard_pipe_table.h"
#include "hydraulics/user_interaction.h"

namespace heatnet {

// The basic data file of a finished calculation with every segment carrying its
// final standard diameter, so that the user can adjust sizes and check them with
// another calculation. UTF-8 text with CR LF line ends (it holds only ASCII).
std::string FormatSizedDataFile(const NetworkModel& model, const StandardPipeTable& table);

// Replaces `path` only with a complete file; on failure the person is told and
// an earlier sized file stays as it was. Returns whether the file was written.
bool WriteSizedDataFile(const NetworkModel& model, const StandardPipeTable& table,
                        const std::string& path, UserInteraction& person);

}  // namespace heatnet
