// Saving and opening coil data files: the XML ".cqx" document and the older value stream.

#include <cmath>
#include <exception>
#include <filesystem>
#include <memory>
#include <span>

#include "documents/atomic_file.hpp"
#include "documents/value_stream.hpp"
#include "engine/coil_project.hpp"
#include "units/errors.hpp"

namespace qdx {

namespace {

constexpr const char* kRootName = "datafile";
constexpr const char* kInvalidFormat = "Invalid file format...";
constexpr const char* kReadError = "Error reading file...";
constexpr const char* kSaveError = "Error saving file...";

// What a file is read into: a copy of a project's coil, coolant and air records, so that a
// value the file does not hold keeps the value it had, and a failed read touches nothing live.
struct TOpenTarget {
    TAirState airIn{};
    TAirState airOut{};
    std::unique_ptr<TLiquid> coolant;
    std::unique_ptr<TColdWaterCoil> coil;
    TFileProperties properties;

    TOpenTarget(const TOpenTarget&) = delete;
    TOpenTarget& operator=(const TOpenTarget&) = delete;

    // base gives the air, coolant, geometry, flows and results; session what the session set
    // and files do not hold (correction factors, design defaults) and the file properties.
    TOpenTarget(TCoilProject& base, TCoilProject& session)
        : airIn(base.OnCoilAir),
          airOut(base.OffCoilAir),
          coolant(std::make_unique<TLiquid>(base.Coolant())),
          properties(session.Properties) {
        TColdWaterCoil& from = base.Coil();
        const TColdWaterCoil& set = session.Coil();
        const TModelRec& rec = from.FinAndTube->Record();
        coil = std::make_unique<TColdWaterCoil>(rec.Mnf, from.GetDesignation(), rec.Code,
                                                rec.Tube);
        TColdWaterCoil& c = *coil;
        c.AttachStates(&airIn, &airOut, coolant.get());
        c.SetModelRecord(rec);
        c.UpdateWallProperties();
        // What the session set and the file does not hold.
        c.DutyFactor = set.DutyFactor;
        c.hoFactor = set.hoFactor;
        c.hiFactor = set.hiFactor;
        c.FluidDPFactor = set.FluidDPFactor;
        c.AirDPFactor = set.AirDPFactor;
        c.UseFouling = set.UseFouling;
        c.EffectivenessFn = set.EffectivenessFn;
        c.AirCoefficientFn = set.AirCoefficientFn;
        c.DesignFluidInDefault = set.DesignFluidInDefault;
        c.DesignFaceVelocity = set.DesignFaceVelocity;
        c.AspectRatio = set.AspectRatio;
        c.MaxFinHeight = set.MaxFinHeight;
        c.MinFinHeight = set.MinFinHeight;
        c.MaxFinnedLength = set.MaxFinnedLength;
        c.MinFinnedLength = set.MinFinnedLength;
        c.SizingRows = set.SizingRows;
        c.SizingFins = set.SizingFins;
        c.DutyPerAirflow = set.DutyPerAirflow;
        c.DesignAspectDefault = set.DesignAspectDefault;
        c.DesignRowsDefault = set.DesignRowsDefault;
        c.DesignFinsDefault = set.DesignFinsDefault;
        c.DesignAirOnDefault = set.DesignAirOnDefault;
        c.DesignVfDefault = set.DesignVfDefault;
        c.AirDPWarning = set.AirDPWarning;
        c.Qt = from.Qt;
        c.Qs = from.Qs;
        c.e = from.e;
        c.Ntu = from.Ntu;
        c.Cr = from.Cr;
        c.SetMassFlow(from.MassFlow);
        TLiquidState& ls = *c.LiquidState;
        const TLiquidState& fromLs = *from.LiquidState;
        ls.designdt = fromLs.designdt;
        ls.ctrl = fromLs.ctrl;
        ls.vwideal = fromLs.vwideal;
        ls.SetMassFlow(fromLs.GetMassFlow());
    }
};

enum class TOpenResult { Opened, InvalidFormat, ReadError };

TOpenResult ReadStream(const std::string& path, TOpenTarget& target) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return TOpenResult::ReadError;
    ValueReader reader(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                bytes.size()));
    if (reader.ReadString() != TCoilProject::kStreamTag) return TOpenResult::InvalidFormat;
    target.properties.ReadPropertiesStream(reader);
    target.coil->ReadFromStream(reader);
    return TOpenResult::Opened;
}

TOpenResult ReadXml(TXMLFile& file, const TCoilProject& project, TOpenTarget& target) {
    if (!project.IsDataFile(file)) return TOpenResult::InvalidFormat;
    const XmlNode root = file.DocumentElement();
    target.properties.ReadPropertiesXML(file, root);
    target.coil->ReadFromXml(file, root);
    return TOpenResult::Opened;
}

}  // namespace

bool TCoilProject::IsDataFile(TXMLFile& file) const {
    return file.IsDocument(kRootName, kProgramName, "");
}

bool TCoilProject::SaveFile(const std::string& path) {
    if (path.empty()) return false;
    FileError.clear();
    try {
        XmlNode root;
        TXMLFile file(path, 1, root);
        root = file.NewDocument(kRootName, kProgramName, kDataFileVersion);
        Properties.WritePropertiesXML(file, root);
        coil_->WriteToXml(file, root);
        // Save writes a temporary file and renames it over the target once it is complete.
        if (!file.Save()) FileError = file.ErrorMessage.empty() ? path : file.ErrorMessage;
    } catch (const std::exception& e) {
        // The document was never complete, so nothing was written.
        FileError = e.what();
    }
    if (!FileError.empty()) {
        Message(kSaveError);
        return false;
    }
    SetSaved(true);
    SetFileName(path);
    return true;
}

bool TCoilProject::OpenFile(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return false;

    std::unique_ptr<TOpenTarget> target;
    auto readInto = [&](TCoilProject& base) {
        TOpenResult result = TOpenResult::ReadError;
        try {
            target = std::make_unique<TOpenTarget>(base, *this);
            XmlNode root;
            TXMLFile file(path, 0, root);
            if (file.ReadStatus == TXMLFile::rsNotXml)
                result = ReadStream(path, *target);
            else
                result = ReadXml(file, *this, *target);
            // The older stream stores its floats and air records as raw bits, so a damaged file
            // can hold not-a-number or infinity where no reader refuses it; such a coil is no
            // more than the damage and is not opened.
            if (result == TOpenResult::Opened && !HoldsNumbers(*target->coil))
                result = TOpenResult::ReadError;
        } catch (const std::exception&) {
            result = TOpenResult::ReadError;
        }
        return result;
    };
    TOpenResult result = readInto(*this);
    if (result == TOpenResult::ReadError) {
        // What the project holds may be what failed the read: a damaged file opened before can
        // have left a coolant at a temperature no liquid has, from which no geometry derives a
        // tube velocity. Whatever it left, a good file reads into the first-run coil.
        TCoilProject firstRun;
        firstRun.OnMessage = [](const std::string&) {};
        firstRun.CreateCoil(TCoilSettings());
        result = readInto(firstRun);
    }

    if (result == TOpenResult::Opened) {
        OnCoilAir = target->airIn;
        OffCoilAir = target->airOut;
        target->coil->AttachStates(&OnCoilAir, &OffCoilAir, target->coolant.get());
        coil_ = std::move(target->coil);
        coolant_ = std::move(target->coolant);
        Properties = std::move(target->properties);
    } else {
        Message(result == TOpenResult::InvalidFormat ? kInvalidFormat : kReadError);
    }
    target.reset();

    Barometer = coil_->MeanPressure();
    if (result != TOpenResult::Opened) return false;
    SetSaved(true);
    SetSolved(false);
    SetFileName(path);
    return true;
}

}  // namespace qdx
