#pragma once

#include <string>

#include "data/base_data_file.h"
#include "data/project_data.h"

namespace heatnet {

// Starts a fill-in: names the record after the chosen file and, when the file
// exists, takes its values as the defaults of data entry. The caller opens the
// basic data window afterwards whatever the outcome, unless a message is returned
// for a name that cannot be used at all.
ErrorMessage LoadBaseDataForEntry(const std::string& chosenName, ProjectData& data);

}  // namespace heatnet
