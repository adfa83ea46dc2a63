#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/inp_file.h"
#include "data/project_data.h"

namespace heatnet {

enum class InpDiameters {
    kGiven,  // the model's diameters, fixed
    kAuto,   // 0: the calculation selects every diameter
};

struct InpImportOptions {
    // Supply and return temperature, for a file that does not carry heatnet's own.
    std::optional<std::pair<double, double>> temperatures;
    InpDiameters diameters = InpDiameters::kGiven;
    bool replace = false;  // an existing data file may be overwritten
};

// A model turned into a basic data record, with what the side files need.
struct InpConversion {
    std::string error;  // empty on success
    bool temperaturesMissing = false;
    std::unique_ptr<ProjectData> data;
    std::vector<std::pair<std::string, double>> nodeNumbers;  // model ID, node number; order read
    struct Point {
        double node, x, y;  // y northward
    };
    std::vector<Point> coordinates;
};

InpConversion ConvertInp(const InpFile& file, const InpImportOptions& options);

// The side files' texts (UTF-8 with byte-order mark, CR LF).
std::string FormatNodeNumberFile(const InpConversion& conversion);
std::string FormatCoordinateFile(const InpConversion& conversion);
std::string NodeNumberFileName(const std::string& dataFile);

struct InpImportOutcome {
    std::string message;  // empty on success
    std::vector<std::string> filesWritten;
    bool temperaturesMissing = false;  // ask for them and import again
    bool dataFileExists = false;       // ask before importing again with replace
};

// Reads the model file and writes the data file, its node number file and, when
// the model has coordinates, its coordinate file: all of them or, on any refusal
// or failure, none (files the import had begun are removed again).
InpImportOutcome ImportInpFile(const std::string& inp, const std::string& dataFile,
                               const InpImportOptions& options);

}  // namespace heatnet
