#pragma once
// What the coil window remembers between runs: its own section and the liquid defaults. The
// member defaults are the values of a first run with an empty settings store.

#include <string>

namespace qdx {

struct TCoilSettings {
    // Window section.
    std::string FileName = "Default";
    double Pressure = 101.325;  // kPa
    std::string AirOn = "25/17";
    std::string AirOff = "11/10";
    std::string Ambient = "32/21";
    std::string CoilModel = "635 720 4r 12f 7c";
    double CoilHeight = 0;  // m, applied when not 0
    double CoilLength = 0;  // m, applied when not 0
    std::string CoilMaker = "Typical";
    std::string CoilMR;  // tube specification text; empty for the maker's first entry
    double AirVelocity = 2.5;  // m/s
    double DesignDuty = 20;    // kW
    int CalcMode = 0;
    double DutyFactor = 1;
    double AirDPFactor = 1;
    double FluidDPFactor = 1;
    double hoFactor = 1;
    double hiFactor = 1;
    int Col0 = 90;
    int Col1 = 126;
    int Col2 = 65;

    // Liquid defaults.
    double WaterFlow = 0.8;     // kg/s
    double WaterIn = 6.0;       // °C
    double WaterOut = 12.0;     // °C
    double WaterVelocity = 1.0;  // m/s
    double DesignWaterDT = 5.5;  // K
    int Control = 1;             // 0 Temperature, 1 Flow
    double WaterTemp = 10.0;     // mean, °C
    int WaterSpec = 0;
    int WaterAdditive = 0;
    double WaterAddVol = 0;
    double WaterUserRo = 999.2;
    double WaterUserCp = 4.191;
    double WaterUserMu = 0.001216;
    double WaterUserKo = 0.0005908;

    bool operator==(const TCoilSettings&) const = default;
};

}  // namespace qdx
