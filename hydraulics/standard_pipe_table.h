#pragma once

#include <array>
#include <string>

namespace heatnet {

// The standard diameters the calculation selects from, with the friction
// coefficients of the rough-pipe law at the calculation's water density.
class StandardPipeTable {
public:
    static constexpr int kSizes = 22;
    static constexpr const char* kFileName = "SLGJ.DAT";

    // Empty on success, otherwise the message for the user.
    std::string Load(const std::string& path, double density);
    std::string LoadFromText(const std::string& text, const std::string& path, double density);

    // Size indices are 1-based.
    double Diameter(int size) const { return diameter_[size]; }
    double FrictionFactor(int size) const { return lambda_[size]; }
    double Coefficient(int size) const { return coefficient_[size]; }

    // The first size not smaller than the given diameter; the largest when none is.
    int InitialSize(double givenDiameter) const;

private:
    std::array<double, kSizes + 1> diameter_{};
    std::array<double, kSizes + 1> lambda_{};
    std::array<double, kSizes + 1> coefficient_{};
};

// Water density in kg/m3 at the mean temperature t in degrees Celsius.
double WaterDensity(double meanTemperature);

// The rough-pipe law's friction coefficient of a diameter in mm: the table's
// sizes and any other diameter (a pipe read from another program) alike.
double RoughPipeFrictionFactor(double diameter);

}  // namespace heatnet
