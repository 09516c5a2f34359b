#include "engine/qdxoil_members.hpp"

#include <exception>
#include <utility>

namespace qdx {

namespace {

// A read that faults reaches the client as the member's error.
template <typename F>
auto Read(F&& read) {
    try {
        return read();
    } catch (const AutomationError&) {
        throw;
    } catch (const std::exception& e) {
        throw AutomationError(e.what());
    } catch (...) {
        throw AutomationError("Unexpected error");
    }
}

// A put's fault goes back to the client, not into a message box of the program.
class QuietMessages {
public:
    explicit QuietMessages(TCoilProject& p) : project_(p), shown_(std::move(p.OnMessage)) {
        p.OnMessage = [](const std::string&) {};
    }
    ~QuietMessages() { project_.OnMessage = std::move(shown_); }
    QuietMessages(const QuietMessages&) = delete;
    QuietMessages& operator=(const QuietMessages&) = delete;

private:
    TCoilProject& project_;
    MessageHandler shown_;
};

}  // namespace

TQDXoilMembers::TQDXoilMembers(TCoilProject& project, std::function<void()> solveCoil,
                               std::function<void()> updateGrid)
    : project_(project), solveCoil_(std::move(solveCoil)), updateGrid_(std::move(updateGrid)) {}

void TQDXoilMembers::Put(const std::function<void(TCoilProject&)>& change, bool updateGrid) {
    bool applied = false;
    {
        QuietMessages quiet(project_);
        applied = project_.Apply([&] { change(project_); }, false);
    }
    if (!applied) throw AutomationError(project_.LastError);
    if (updateGrid && updateGrid_) updateGrid_();
}

std::string TQDXoilMembers::GetModel() {
    return Read([&] { return project_.Coil().GetDesignation(); });
}

void TQDXoilMembers::SetModel(const std::string& text) {
    Put([&](TCoilProject& p) { p.Coil().SetDesignation(text); });
}

double TQDXoilMembers::GetWaterOn() {
    return Read([&] { return project_.Coolant().tfi; });
}

void TQDXoilMembers::SetWaterOn(double degC) {
    Put([&](TCoilProject& p) { p.Coolant().SetTfi(degC); });
}

double TQDXoilMembers::Solve() {
    return Read([&] {
        if (solveCoil_)
            solveCoil_();
        else
            project_.SolveCoil();
        return project_.Coil().Qt;
    });
}

double TQDXoilMembers::GetQt() {
    return Read([&] { return project_.Coil().Qt; });
}

void TQDXoilMembers::SetQt(double kW) {
    Put([&](TCoilProject& p) { p.Coil().Qt = kW; }, false);
}

double TQDXoilMembers::GetQs() {
    return Read([&] { return project_.Coil().Qs; });
}

void TQDXoilMembers::SetQs(double kW) {
    Put([&](TCoilProject& p) { p.Coil().Qs = kW; }, false);
}

double TQDXoilMembers::GetAirFaceVelocity() {
    return Read([&] { return project_.Coil().FaceVelocity; });
}

void TQDXoilMembers::SetAirFaceVelocity(double ms) {
    Put([&](TCoilProject& p) { p.Coil().SetFaceVelocity(ms); });
}

double TQDXoilMembers::GetInletAirflow() {
    return Read([&] { return project_.Coil().VolumeFlow; });
}

void TQDXoilMembers::SetInletAirflow(double m3s) {
    Put([&](TCoilProject& p) { p.Coil().SetVolumeFlow(m3s); });
}

double TQDXoilMembers::GetAirMassFlow() {
    return Read([&] { return project_.Coil().MassFlow; });
}

void TQDXoilMembers::SetAirMassFlow(double kgs) {
    Put([&](TCoilProject& p) { p.Coil().SetMassFlow(kgs); });
}

double TQDXoilMembers::GetWaterFlow() {
    return Read([&] { return project_.LiquidState().GetMassFlow(); });
}

void TQDXoilMembers::SetWaterFlow(double kgs) {
    Put([&](TCoilProject& p) { p.LiquidState().SetMassFlow(kgs); });
}

double TQDXoilMembers::GetDBon() {
    return Read([&] { return project_.Coil().EnteringDryBulb(); });
}

void TQDXoilMembers::SetDBon(double degC) {
    Put([&](TCoilProject& p) { p.Coil().SetEnteringDryBulb(degC); });
}

double TQDXoilMembers::GetWBon() {
    return Read([&] { return project_.Coil().EnteringWetBulb(); });
}

void TQDXoilMembers::SetWBon(double degC) {
    Put([&](TCoilProject& p) { p.Coil().SetEnteringWetBulb(degC); });
}

double TQDXoilMembers::GetDBo() {
    return Read([&] { return project_.Coil().LeavingDryBulb(); });
}

double TQDXoilMembers::GetWBo() {
    return Read([&] { return project_.Coil().LeavingWetBulb(); });
}

double TQDXoilMembers::GetWaterOff() {
    return Read([&] { return project_.LiquidState().GetLeavingTemp(); });
}

std::int32_t TQDXoilMembers::GetCalcState() {
    return Read([&] { return static_cast<std::int32_t>(project_.Coil().SolveStatus); });
}

}  // namespace qdx
