// Solve runs in tight loops (sizing searches, calibration, many coils): once a coil is built,
// rating it must not touch the heap. This program counts every allocation made while counting
// is switched on.

#include <atomic>
#include <functional>
#include <cstdlib>
#include <new>

#include "engine_fixture.hpp"

namespace {
std::atomic<long> g_allocations{0};
std::atomic<bool> g_counting{false};
}  // namespace

void* operator new(std::size_t n) {
    if (g_counting) ++g_allocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace qdx::test {
namespace {

long AllocationsDuring(const std::function<void()>& f) {
    g_allocations = 0;
    g_counting = true;
    f();
    g_counting = false;
    return g_allocations;
}

std::string* volatile g_sink = nullptr;

TEST_F(CoilProjectTest, SolveDoesNotAllocate) {
    // The counter sees allocations at all.
    EXPECT_GT(AllocationsDuring([] { g_sink = new std::string(200, 'x'); }), 0);
    delete g_sink;
    auto& c = coil();
    ASSERT_EQ(c.Solve(), ssSolved);  // the first rating may size internal buffers
    struct Case {
        const char* air;
        double inlet;
    };
    // Part-wet, wet and dry surfaces, flow and temperature control.
    for (Case k : {Case{"25/17", 6}, Case{"27/22", 7}, Case{"30/12", 8}}) {
        project.SetOnCoil(k.air);
        project.SetFluidInlet(k.inlet);
        for (int ctrl : {wcFlow, wcTemp}) {
            c.LiquidState->ctrl = static_cast<std::uint8_t>(ctrl);
            std::uint8_t status = 9;
            EXPECT_EQ(AllocationsDuring([&] { status = c.Solve(); }), 0) << k.air << " ctrl " << ctrl;
            EXPECT_EQ(status, ssSolved);
        }
    }
}

}  // namespace
}  // namespace qdx::test
