#pragma once
// One plate-fin coil: its description record and every area, volume, ratio, efficiency and
// weight the performance engine derives from it. Lengths m, areas m², volumes m³, masses kg,
// conductivities kW/(m·K).

#include <cstdint>
#include <string>
#include <string_view>

#include "documents/xml_file.hpp"
#include "geometry/model_rec.hpp"

namespace qdx {

class TReportDocument;
class ValueReader;
class ValueWriter;

// What the liquid side of the coil needs, copied whole by the coil.
struct TTubeSideGeometry {
    double ID = 0;                // tube inside diameter, m
    double WallThickness = 0;     // (OD - ID) / 2, m
    double WallConductivity = 0;  // tube material, kW/(m·K)
    double AiPerCircuit = 0;      // inside area of one circuit, m²
    double TubeFlowArea = 0;      // bore of one tube, m²
    double FlowArea = 0;          // bore of all circuits, m²
    double Perimeter = 0;         // inside perimeter, m
    double EquivalentLength = 0;  // per circuit, each return bend as 40 diameters, m
    double CircuitLength = 0;     // tube length of one circuit, m
};

// What the air side of the coil needs, copied whole by the coil.
struct TAirSideGeometry {
    double Rows = 0;
    int32_t Tube = 0;
    double Sx = 0;
    double Sy = 0;
    uint8_t tp = 0;
    double OD = 0;
    double FaceArea = 0;
    double FinGap = 0;  // fin pitch less fin thickness, m
    double EquivalentFinHeight = 0;
    double tf = 0;
    double FinPitch = 0;
    double CollarDiameter = 0;
    double FinConductivity = 0;
    double TubeConductivity = 0;
    double Sigma = 0;
    double HydraulicDiameter = 0;
    double SurfaceEfficiency = 0;
};

// Reads one geometry stream block of any accepted form into rec, as it stands in the stream
// (not yet matched against the catalogue). Throws StreamError when the block cannot be read.
void ReadModelRecord(ValueReader& reader, TModelRec& rec);

class TFinAndTube {
public:
    // The current stream block version.
    static constexpr const char* kStreamVersion = "FAT 1.0.0.3";

    // The default record with the kind code; the designation's five numbers when it parses
    // (else ErrorCode holds the parse error); the tube data of the maker's catalogue entry of
    // the tube number.
    TFinAndTube(std::string_view maker, std::string_view designation, int kind, int tube);

    // Rewrites every derived field from the record. An arithmetic fault sets ErrorCode to 1
    // and leaves the fields not yet reached as they were.
    void Recalculate();

    // Stores the text, parses it and, when it parses, applies its five numbers.
    void SetDesignation(std::string_view text);
    void SetFinHeight(double v);
    void SetFinnedLength(double v);
    void SetRows(double v);
    void SetFinsPerInch(double v);
    void SetFinMaterial(int index);
    // Clamped to 1..1600.
    void SetCircuits(double v);
    // The tube material only feeds the weight and the records, which read it when asked.
    void SetTubeMaterial(int index);
    // The casing material only feeds the weight.
    void SetCasingMaterial(int index);
    void SetRecord(const TModelRec& rec);
    // Applies the maker's catalogue entry that best matches the specification text.
    void SetMakerModel(std::string_view maker, std::string_view specification);

    // The last parse error (or 1 after a failed recalculation); reading it clears it.
    int GetErrorCode();
    // The same without clearing it.
    int PeekErrorCode() const { return ErrorCode_; }

    const TModelRec& Record() const { return Record_; }
    TTubeSideGeometry TubeSide() const;
    TAirSideGeometry AirSide() const;

    // Computes the dry weight and its five parts, kg.
    double DryWeight();
    double TubeWeight() const { return TubeWeight_; }
    double FinWeight() const { return FinWeight_; }
    double CasingWeight() const { return CasingWeight_; }
    double BendWeight() const { return BendWeight_; }
    double HeaderWeight() const { return HeaderWeight_; }

    // The workshop sheet: dimensions, circuiting, tube, fin and materials in fixed SI units.
    // Computes the dry weight on the way; nothing else changes.
    void WriteManufacturingReport(TReportDocument& doc);

    std::string MakerDesignation() const;
    std::string SerpentineText() const;
    std::string ConnectionText() const;

    // Record fields.
    double FinHeight() const { return Record_.fHeight; }
    double FinnedLength() const { return Record_.fLength; }
    double Rows() const { return Record_.Rows; }
    double FinsPerInch() const { return Record_.fpi; }
    double Circuits() const { return Record_.Circ; }
    int32_t cb() const { return Record_.cb; }
    int32_t Serp() const { return Record_.Serp; }
    double Sy() const { return Record_.Sy; }

    // Derived fields.
    const std::string& Designation() const { return Designation_; }
    double FinCount() const { return FinCount_; }
    double Depth() const { return Depth_; }
    double MinFlowArea() const { return MinFlowArea_; }
    double CollarDiameter() const { return CollarDiameter_; }
    double EquivalentFinHeight() const { return EquivalentFinHeight_; }
    double FinParameter() const { return FinParameter_; }
    double FinEfficiency() const { return FinEfficiency_; }
    double SurfaceEfficiency() const { return SurfaceEfficiency_; }
    double FinPitch() const { return FinPitch_; }
    double Vi() const { return Vi_; }
    double FaceArea() const { return FaceArea_; }
    double Ao() const { return Ao_; }
    double Ai() const { return Ai_; }
    double TubeFlowArea() const { return TubeFlowArea_; }
    double AoAiRatio() const { return AoAiRatio_; }
    double SpecificArea() const { return SpecificArea_; }
    double FinArea() const { return FinArea_; }
    double Sigma() const { return Sigma_; }
    double HydraulicDiameter() const { return HydraulicDiameter_; }
    bool OppositeEnds() const { return OppositeEnds_; }
    double TubeCount() const { return TubeCount_; }
    int32_t TubesHigh() const { return TubesHigh_; }

    // The stream block of the older data files. Reading accepts the current and the two
    // earlier versions and the unversioned raw record; a block it cannot read throws
    // StreamError.
    void WriteToStream(ValueWriter& writer) const;
    void ReadFromStream(ValueReader& reader);

    // The element "fat" below parent. Reading takes "fat", else "finandtube"; false when
    // neither exists (nothing is then changed). Missing values keep the current ones.
    void WriteToXml(TXMLFile& xml, XmlNode parent) const;
    bool ReadFromXml(TXMLFile& xml, XmlNode parent);

private:
    void RecalculateFields();
    // Replaces the tube, fin and pattern data by the best catalogue match, then recalculates.
    void MatchCatalogue();

    std::string Designation_;
    double FinCount_ = 0;
    double Depth_ = 0;
    double MinFlowArea_ = 0;
    double CollarDiameter_ = 0;
    double EquivalentFinHeight_ = 0;
    double FinParameter_ = 0;
    double FinEfficiency_ = 0;
    double SurfaceEfficiency_ = 0;
    double FinPitch_ = 0;
    double Vi_ = 0;
    int32_t ErrorCode_ = 0;
    double TubeWeight_ = 0;
    double FinWeight_ = 0;
    double CasingWeight_ = 0;
    double BendWeight_ = 0;
    double HeaderWeight_ = 0;
    TModelRec Record_;
    double FaceArea_ = 0;
    double Ao_ = 0;
    double Ai_ = 0;
    double TubeFlowArea_ = 0;
    double AoAiRatio_ = 0;
    double SpecificArea_ = 0;
    double FinArea_ = 0;
    double Sigma_ = 0;
    double HydraulicDiameter_ = 0;
    bool OppositeEnds_ = false;
    double DryWeight_ = 0;
    double TubeCount_ = 0;
    int32_t TubesHigh_ = 0;
};

}  // namespace qdx
