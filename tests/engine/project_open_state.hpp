#pragma once
// What opening a project file may change, as one text: a refused open leaves it as it was.
// Used by the tests of damaged files and by the fuzz targets of the project readers, so it
// needs nothing but the core.

#include <string>

#include "engine/coil_project.hpp"
#include "units/format.hpp"

namespace qdx::test {

// Everything an open may change, at full precision.
inline std::string ProjectOpenState(TCoilProject& p) {
    TColdWaterCoil& c = p.Coil();
    const TLiquid& l = p.Coolant();
    const TLiquidState& ls = *c.LiquidState;
    const TModelRec& r = c.FinAndTube->Record();
    std::string s;
    for (const std::string& text :
         {c.GetDesignation(), r.Mnf, r.Model, p.FileName, p.Properties.edProjectName,
          p.Properties.edProjectNumber, p.Properties.edDescription, p.Properties.edAuthor,
          p.Properties.edCompany})
        s += text + "|";
    const double values[] = {p.Barometer, c.MassFlow, c.FaceVelocity, c.Qt, c.Qs, c.e, c.Ntu,
                             c.FaceArea(), l.tfi, l.tfo, l.m, ls.vw, ls.designdt,
                             static_cast<double>(ls.ctrl), static_cast<double>(l.LiquidSpec),
                             static_cast<double>(l.WaterAdditive), l.AdditiveVolume, r.ID, r.Sx,
                             r.tf, r.Rows, r.fpi, r.Circ};
    for (double v : values) s += Format("%.17g|", v);
    for (int i = 0; i < kAirStateFields; ++i)
        s += Format("%.17g|%.17g|%.17g|%.17g|", AirField(*c.AirIn, i), AirField(*c.AirOut, i),
                    AirField(p.OnCoilAir, i), AirField(p.OffCoilAir, i));
    return s;
}

}  // namespace qdx::test
