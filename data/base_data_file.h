#pragma once

#include <string>

#include "data/project_data.h"

namespace heatnet {

struct DataFileNames {
    std::string fileName;  // the file to read or write
    std::string baseName;  // the stem from which every output is named
};

// The first "." of the file-name part ends the base name; a name without one (or
// starting with one) is its own base name and gets ".TXT".
DataFileNames SplitDataFileName(const std::string& name);

// True for names holding "*" or "?": they name no single data file.
bool HasWildcard(const std::string& name);
// What the windows say of such a name chosen in the picker.
std::string WildcardNameMessage(const std::string& name);

// Empty when the operation succeeded, otherwise the message for the user.
using ErrorMessage = std::string;

// The start of every message about one value of a data file: the file and, when
// the value was read from it, the line and field, ending in "中的" so that the
// field's name and value follow.
std::string ValueInFile(const std::string& fileName, const FieldPlace& place);

// Reads the field sequence of a basic data file into `data`. On any failure the
// record is left exactly as it was and the message names the file and the place.
ErrorMessage ReadBaseDataFile(const std::string& fileName, ProjectData& data);
ErrorMessage ParseBaseData(const std::string& content, const std::string& fileName,
                           ProjectData& data);

// The line layout of the basic data window's writer.
std::string FormatBaseDataFile(const ProjectData& data);
ErrorMessage WriteBaseDataFile(const std::string& fileName, const ProjectData& data);

// Record counts as they are used: pipeCount and nodeCount - 1, negative as 0.
int PipeRecordCount(const ProjectData& data);
int LoadRecordCount(const ProjectData& data);

}  // namespace heatnet
