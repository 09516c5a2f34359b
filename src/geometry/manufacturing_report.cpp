// The workshop sheet of one coil. Values are in fixed workshop units (mm, m, kg) whatever the
// user's unit choices: the sheet goes to the people who build the coil.

#include <cmath>
#include <string>

#include "geometry/fin_and_tube.hpp"
#include "geometry/materials.hpp"
#include "reports/report_document.hpp"
#include "units/format.hpp"

namespace qdx {

void TFinAndTube::WriteManufacturingReport(TReportDocument& doc) {
    const TModelRec& r = Record_;

    doc.AddLine("");
    doc.AddLine("Coil Manufacturing Report", lsBold);
    doc.AddLine(r.Mnf + " (" + r.Model + ")");
    doc.AddLine(Designation_);
    const std::string makerDesignation = MakerDesignation();
    if (!makerDesignation.empty()) doc.AddLine(makerDesignation);
    doc.AddLine("");

    doc.AddLine("Dimensions", lsBold);
    doc.AddLine(Format("Height\t%0.1f\tmm", r.fHeight * 1000));
    doc.AddLine(Format("Length\t%0.1f\tmm", r.fLength * 1000));
    doc.AddLine(Format("Depth\t%0.1f\tmm", Depth_ * 1000));
    doc.AddLine(Format("Rows\t%0.1f\t", r.Rows));
    doc.AddLine(Format("Fins\t%0.2f\tfpi", r.fpi));
    doc.AddLine(Format("Weight\t%0.1f\tkg", DryWeight()));
    doc.AddLine("");

    doc.AddLine("Circuiting", lsBold);
    doc.AddLine(Format("Tubes High\t%d\t", TubesHigh_));
    doc.AddLine(Format("Tube Count\t%0.1f\t", TubeCount_));
    doc.AddLine(Format("Circuits\t%0.0f\t", r.Circ));
    doc.AddLine(Format("Circuit Basis\t%s", CircuitBasisCaption(r.cb)));
    // Circuits are at least 1 (the setters clamp them), so the division is safe. The counts stay
    // doubles: a geometry read from a file can hold more tubes than an int (+ 0.0: no "-0").
    const double tubesPerCircuit = std::trunc(TubeCount_ / r.Circ) + 0.0;
    doc.AddLine(Format("Tubes/Circuits\t%0.0f\t", tubesPerCircuit));
    if (tubesPerCircuit > 0) {
        const double unlinked = std::trunc(std::fmod(TubeCount_, tubesPerCircuit * r.Circ)) + 0.0;
        doc.AddLine(Format("Unlinked tubes\t%0.0f\t", unlinked));
    }
    doc.AddLine(Format("Serpentine\t%s\t", SerpentineText()));
    doc.AddLine(Format("Eq Length\t%0.1f\tm", TubeSide().EquivalentLength));
    doc.AddLine(Format("Connections\t%s end\t", ConnectionText()));
    doc.AddLine("");

    doc.AddLine(Format("Tube (%s Pattern)", TubePatternCaption(r.tp)), lsBold);
    doc.AddLine(Format("ID\t%0.3f\tmm", r.ID * 1000));
    doc.AddLine(Format("OD\t%0.3f\tmm", r.OD * 1000));
    doc.AddLine(Format("Sx\t%0.3f\tmm", r.Sx * 1000));
    doc.AddLine(Format("Sy\t%0.3f\tmm", r.Sy * 1000));
    doc.AddLine("");

    doc.AddLine("Fin", lsBold);
    doc.AddLine(Format("Thickness\t%0.3f\tmm", r.tf * 1000));
    // The area factor is a plain ratio; the sheet has always labelled it "mm".
    doc.AddLine(Format("Area factor\t%0.3f\tmm", r.fc));
    doc.AddLine("");

    doc.AddLine("Material", lsBold);
    doc.AddLine(Format("Fin\t%s\t", MaterialCode(r.Mf)));
    doc.AddLine(Format("Tube\t%s\t", MaterialCode(r.Mt)));
    doc.AddLine(Format("Casing\t%s\t", MaterialCode(r.Mc)));
}

}  // namespace qdx
