#include "engine/calibration.hpp"

#include <bit>
#include <cstdint>
#include <filesystem>
#include <string>

#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"
#include "engine/coil_settings.hpp"
#include "engine/cold_water_coil.hpp"

namespace qdx {

namespace fs = std::filesystem;

double CalibrationStep(int factor) {
    return factor == cfAirDP || factor == cfFluidDP ? 1.001 : 1.0001;
}

namespace {
// The coil and the settings name their five factors alike.
template <typename T>
TCalibrationFactors FactorsOf(const T& x) {
    return {x.DutyFactor, x.hoFactor, x.hiFactor, x.AirDPFactor, x.FluidDPFactor};
}

template <typename T>
void SetFactorsOf(T& x, const TCalibrationFactors& f) {
    x.DutyFactor = f[cfDuty];
    x.hoFactor = f[cfOutside];
    x.hiFactor = f[cfInside];
    x.AirDPFactor = f[cfAirDP];
    x.FluidDPFactor = f[cfFluidDP];
}
}  // namespace

TCalibrationFactors CoilFactors(const TCustomHeatExchanger& c) { return FactorsOf(c); }
void SetCoilFactors(TCustomHeatExchanger& c, const TCalibrationFactors& f) { SetFactorsOf(c, f); }
TCalibrationFactors SettingsFactors(const TCoilSettings& s) { return FactorsOf(s); }
void SetSettingsFactors(TCoilSettings& s, const TCalibrationFactors& f) { SetFactorsOf(s, f); }

double SensibleHeatRatio(double qs, double qt) {
    if (qt != 0) return qs / qt;
    return qs > 0 ? 1.7e308 : qs < 0 ? -1.7e308 : 0.0;
}

TCalibrationResults Recalculate(TColdWaterCoil& coil, const TCalibrationFactors& f) {
    SetCoilFactors(coil, f);
    coil.Solve();
    TCalibrationResults r;
    r.Qt = coil.Qt;
    r.Qs = coil.Qs;
    r.SHR = SensibleHeatRatio(coil.Qs, coil.Qt);
    r.AirDP = coil.AirPressureDrop();
    r.FluidDP = coil.FluidPressureDrop();
    return r;
}

std::string CalibrationFilePath() { return UserDataDir() + "QDX.cal"; }

bool WriteCalibrationFile(const std::string& path, const TCalibrationFactors& f) {
    std::string bytes;
    bytes.reserve(8 * f.size());
    for (double v : f) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xff));
    }
    std::error_code ec;
    constexpr auto kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (fs::exists(path, ec)) fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
    const bool written = WriteFileAtomically(path, bytes);
    if (fs::exists(path, ec)) fs::permissions(path, kWrite, fs::perm_options::remove, ec);
    return written;
}

}  // namespace qdx
