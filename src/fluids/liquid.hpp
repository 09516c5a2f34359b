#pragma once
// The coolant of a coil: which liquid it is, its inlet, leaving and mean temperatures, its mass
// flow, and its transport properties at the mean temperature. Every change of temperature or
// liquid re-evaluates the properties (see liquid_correlations.hpp for units).

#include <cstdint>
#include <string>

#include "documents/value_stream.hpp"
#include "documents/xml_file.hpp"

namespace qdx {

class TFluid {
public:
    // Pf starts at 5 bar and t at the mean of the two temperatures; the properties stay 0 until
    // a descendant evaluates them.
    TFluid(std::string caption, double massFlow, double inletTemp, double leavingTemp);
    virtual ~TFluid() = default;

    TFluid(const TFluid&) = default;
    TFluid& operator=(const TFluid&) = default;

    // Mean temperature, °C.
    virtual double GetT() const;
    // Moves the mean to x with the inlet fixed (the leaving temperature follows) and re-evaluates.
    virtual void SetT(double x);
    virtual std::string GetCaption() const = 0;
    virtual std::string GetShortCaption() const;
    virtual std::string GetLabel() const;
    // Pressure in bar (compressed air only); not re-evaluated until the next Update.
    virtual void SetPf(double x);
    virtual double GetPf() const;
    // Re-evaluates ro, Cp, mu, Ko, Pr, the valid range and status at t.
    virtual void Update() = 0;
    // The record of the older streamed data file; values are stored without re-evaluation.
    virtual void ReadData(ValueReader& reader);
    virtual void WriteData(ValueWriter& writer) const;
    // The value elements inside `element`; loading reads every key, keeping the current value
    // of any that is missing or unreadable.
    virtual void LoadXML(TXMLFile& file, XmlNode element);
    virtual void SaveXML(TXMLFile& file, XmlNode element);

    // Inlet or leaving temperature; the mean follows and the properties are re-evaluated.
    void SetTfi(double x);
    void SetTfo(double x);

    double Pf = 5.0;     // bar
    double t = 0;        // mean temperature, °C
    double tfi = 0;      // inlet temperature, °C
    double tfo = 0;      // leaving temperature, °C
    std::string Caption;
    double m = 0;        // mass flow, kg/s
    double ro = 0;       // density, kg/m³
    double Cp = 0;       // specific heat, kJ/(kg·K)
    double mu = 0;       // dynamic viscosity, Pa·s
    double Ko = 0;       // conductivity, kW/(m·K)
    double Pr = 0;       // Prandtl number Cp·mu/Ko
    double tLower = 0;   // valid range of the last evaluation, °C (not stored)
    double tUpper = 0;
    bool UserProps = false;
    double UserRo = 983.3;
    double UserCp = 4.185;
    double UserMu = 0.000463;
    double UserKo = 0.000653;
    int status = 0;      // 1 when t was outside the valid range at the last evaluation

protected:
    // Pr from the four properties; a zero conductivity is a floating-point fault.
    void UpdatePrandtl();
};

class TLiquid : public TFluid {
public:
    // Evaluates the liquid at the mean temperature and starts the user's properties from it.
    TLiquid(std::string caption, double massFlow, double inletTemp, double leavingTemp,
            std::uint8_t liquidSpec);

    std::string GetCaption() const override;
    std::string GetShortCaption() const override;
    std::string GetLabel() const override;
    void Update() override;
    void ReadData(ValueReader& reader) override;
    void WriteData(ValueWriter& writer) const override;
    // Through the child element "liquid" of `element` (loading: nothing changes when it is
    // missing); loading ends with Update.
    void LoadXML(TXMLFile& file, XmlNode element) override;
    void SaveXML(TXMLFile& file, XmlNode element) override;

    std::uint8_t LiquidSpec = 0;     // liquid index 0..13
    std::uint8_t WaterAdditive = 0;  // additive index 0..3, with LiquidSpec 0
    double AdditiveVolume = 0;       // additive fraction, 0.3 = 30 %

private:
    // Names of this liquid's last named-liquid evaluation, so that the caption does not change
    // when another liquid is evaluated.
    std::string evalName_;
    std::string evalShortName_;
};

}  // namespace qdx
