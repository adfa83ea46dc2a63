#pragma once

#include <string>

#include "data/base_data_file.h"
#include "data/project_data.h"

namespace heatnet {

// Starts a fill-in: names the record after the chosen file and, when the file
// exists, takes its values as the defaults of data entry, records beyond its
// counts empty. Without a file the record keeps what the previous fill-in left,
// as a template. A returned message means there is nothing to fill in: a name
// with wildcards, or a file that exists but is refused; the record, its name
// included, is then left as it was.
ErrorMessage LoadBaseDataForEntry(const std::string& chosenName, ProjectData& data);

}  // namespace heatnet
