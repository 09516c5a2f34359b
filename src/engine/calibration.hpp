#pragma once
// Calibration of the coil model against a known performance: the five correction factors, the
// results they give, and the calibration file that records the last factors tried.

#include <array>
#include <string>

namespace qdx {

class TColdWaterCoil;
class TCustomHeatExchanger;
struct TCoilSettings;

// The five factors, in the order of the calibration file: duty (on the effectiveness), outside
// coefficient, inside coefficient, air pressure drop, liquid pressure drop.
enum TCalibrationFactor : int { cfDuty, cfOutside, cfInside, cfAirDP, cfFluidDP };
inline constexpr int kCalibrationFactorCount = 5;
using TCalibrationFactors = std::array<double, kCalibrationFactorCount>;

inline constexpr TCalibrationFactors kUncalibrated{1, 1, 1, 1, 1};

// One press of a factor's up button multiplies it by this step, the down button divides:
// 1.0001 for the duty and film coefficient factors, 1.001 for the pressure drop factors.
double CalibrationStep(int factor);

TCalibrationFactors CoilFactors(const TCustomHeatExchanger& coil);
void SetCoilFactors(TCustomHeatExchanger& coil, const TCalibrationFactors& f);
// The program-wide factors, which every new coil receives and the settings keep.
TCalibrationFactors SettingsFactors(const TCoilSettings& settings);
void SetSettingsFactors(TCoilSettings& settings, const TCalibrationFactors& f);

// What the calibration window shows beside the factors.
struct TCalibrationResults {
    double Qt = 0;          // total duty, kW
    double Qs = 0;          // sensible duty, kW
    double SHR = 0;         // Qs / Qt
    double AirDP = 0;       // air pressure drop, Pa
    double FluidDP = 0;     // liquid pressure drop, kPa
};

// Qs / Qt; with no total duty the largest double with the sign of Qs (0 for no duty at all).
double SensibleHeatRatio(double qs, double qt);

// Gives the coil the factors and rates it (the coil's own Solve: no sizing), then reads the
// results. Faults of the rating reach the caller.
TCalibrationResults Recalculate(TColdWaterCoil& coil, const TCalibrationFactors& f);

// "QDX.cal" in the user data folder.
std::string CalibrationFilePath();
// Writes the five factors as little-endian doubles (40 bytes, no header). The file is made
// writable first and read-only afterwards. False when it could not be written.
bool WriteCalibrationFile(const std::string& path, const TCalibrationFactors& f);

}  // namespace qdx
