#pragma once
// The engine's program-wide state is kept per thread (the last apparatus dew point, the
// catalogue cache, the unit records, the liquid evaluation record, the message handler), so
// threads that rate coils side by side share nothing. A front end that rates many coils in one
// process starts each from where a new run of the program starts.

namespace qdx {

// LastADP when the program starts, °C.
inline constexpr double kStartADP = 10.0;

// Puts the calling thread's LastADP back to kStartADP: a coil built next does not depend on
// the coils solved before it.
void StartLikeANewRun();

}  // namespace qdx
