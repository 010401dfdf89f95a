// Remap latency and tick period of the button-action engine, through the real hook procedures
// and the portable input system, against a naive "sleep 10 ms, then work" loop around the same
// engine. Prints "name value" lines for scripts/bench.
//   z718_bench_engine [--quick]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <thread>
#include <vector>

#include "support/engine_rig.h"

using namespace z718;
using Clock = std::chrono::steady_clock;

namespace {

using Loop = std::function<void(ActionEngine&, const std::atomic<bool>&, MySafeQueue&)>;

// The engine as the program runs it: it parks while idle and answers an event at once.
void engineLoop(ActionEngine& engine, const std::atomic<bool>& running, MySafeQueue&) {
    engine.run(running);
}

// The design it replaced: every round sleeps 10 ms, then does a tick's work.
void naiveLoop(ActionEngine& engine, const std::atomic<bool>& running, MySafeQueue&) {
    while (running.load()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        engine.tick();
    }
}

// The test suite's engine rig, quiet; every injected event's arrival time is noted.
struct Rig : test::EngineRig {
    std::atomic<int> delivered{0};
    std::vector<Clock::time_point> arrivals;  // written by the worker, read after it stops

    Rig() : EngineRig(false) {
        arrivals.reserve(1 << 16);
        input.setDeliverySink([this](const platform::PortableInput::Delivered& d) {
            if (d.injected) {
                arrivals.push_back(Clock::now());
                delivered.fetch_add(1);
            }
        });
    }
    void start(const Loop& loop) {
        startWorker([this, loop] { loop(engine, running, events); });
    }
    void waitFor(int count) {
        while (delivered.load() < count) {
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
    }
};

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const auto i = static_cast<size_t>(p / 100.0 * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

// The right button plays a left click. Each press and release comes 20 to 30 ms after the last
// replay, so it meets the worker at a random phase of its ticks, and idle.
std::vector<double> remapLatencies(const Loop& loop, int events, std::mt19937& random) {
    Rig rig;
    rig.assign(1, {kMouseFunction, 0, 0xF0, 0});
    rig.start(loop);
    std::uniform_int_distribution<int> gapUs(20'000, 30'000);
    std::vector<double> latencies;
    for (int i = 0; i < events; ++i) {
        std::this_thread::sleep_for(std::chrono::microseconds(gapUs(random)));
        const auto sent = Clock::now();
        rig.input.feedMouse(i % 2 ? win::kWmRButtonUp : win::kWmRButtonDown, 1, 1);
        rig.waitFor(i + 1);
        latencies.push_back(ms(rig.arrivals[static_cast<size_t>(i)] - sent));
    }
    rig.stopWorker();
    return latencies;
}

// A long macro plays one key event per tick; the gaps between them are the tick periods.
std::vector<double> tickPeriods(const Loop& loop, int ticks) {
    Rig rig;
    std::vector<uint32_t> words{0xFF, 0xFF};  // 65535 passes
    for (int i = 0; i < 196; ++i) {
        words.push_back(i % 2 ? 0x141 : 0x41);
    }
    rig.macros.write(0, words);
    rig.assign(0, {kMacroFunction, kRepeatCounted, 0, 0});
    rig.start(loop);
    rig.input.feedMouse(win::kWmLButtonDown, 1, 1);
    rig.input.feedMouse(win::kWmLButtonUp, 1, 1);
    rig.waitFor(ticks + 2);
    rig.stopWorker();
    std::vector<double> periods;
    for (int i = 1; i <= ticks; ++i) {  // from the second tick: the first answers the press
        periods.push_back(ms(rig.arrivals[static_cast<size_t>(i) + 1] - rig.arrivals[i]));
    }
    return periods;
}

void print(const char* name, double value) {
    std::printf("%s %.4f\n", name, value);
}

void reportLatency(const char* who, const std::vector<double>& v) {
    const std::string prefix = std::string("latency_") + who;
    print((prefix + "_p50").c_str(), percentile(v, 50));
    print((prefix + "_p99").c_str(), percentile(v, 99));
    print((prefix + "_max").c_str(), *std::max_element(v.begin(), v.end()));
}

void reportPeriod(const char* who, const std::vector<double>& v) {
    double sum = 0;
    for (const double p : v) {
        sum += p;
    }
    const std::string prefix = std::string("period_") + who;
    print((prefix + "_mean").c_str(), sum / static_cast<double>(v.size()));
    print((prefix + "_p99").c_str(), percentile(v, 99));
}

}  // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int events = quick ? 40 : 1000;
    const int ticks = quick ? 60 : 3000;
    std::mt19937 random(14);
    print("latency_events", events);
    reportLatency("engine", remapLatencies(engineLoop, events, random));
    reportLatency("naive", remapLatencies(naiveLoop, events, random));
    print("period_ticks", ticks);
    reportPeriod("engine", tickPeriods(engineLoop, ticks));
    reportPeriod("naive", tickPeriods(naiveLoop, ticks));
    return 0;
}
