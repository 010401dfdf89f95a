// Device transfers through the link and the virtual mouse with the real pauses: a 512-byte
// key-matrix upload, a DPI set and a device macro, against the floor of the pauses the
// transfers must make. Prints "name value" lines for scripts/bench.
//   z718_bench_transfer [--quick]
#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "link/catalogue.h"
#include "link/scanner.h"
#include "platform/portable/portable_input.h"
#include "sim/virtual_mouse.h"
#include "support/quiet_host.h"
#include "ui/Hid_Thread.h"

using namespace z718;

namespace {

// The mouse's reports carry 32 bytes; each output report is followed by an 8 ms pause, and
// every one of these commands asks for a 128 ms settle wait after its frame and another after
// its payload.
constexpr double kReportLength = 32;
constexpr double kReportPauseMs = 8;
constexpr double kSettleMs = 2 * 64;

double floorMs(int payloadBytes) {
    const double reports = std::max(1.0, std::ceil(payloadBytes / kReportLength));
    return kSettleMs + reports * kReportPauseMs + kSettleMs;
}

// The median time of `runs` transfers; -1 when a transfer did not put all its reports on the
// wire.
double medianMs(sim::VirtualMouse& mouse, int runs, int payloadBytes,
                const std::function<void()>& transfer) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        mouse.clearLog();
        const auto start = std::chrono::steady_clock::now();
        transfer();
        const auto reports = mouse.log().filter(QRegularExpression("^output ")).size();
        if (reports != std::ceil(payloadBytes / kReportLength)) {
            return -1;
        }
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char* name, double measured, int payloadBytes) {
    std::printf("transfer_%s %.3f\n", name, measured);
    std::printf("transfer_%s_floor %.3f\n", name, floorMs(payloadBytes));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int runs = quick ? 1 : 5;
    sim::VirtualMouse mouse;
    platform::PortableInput input;
    test::QuietHost host;
    Hid_Thread hid(&host, mouse, input);
    hid.link().setDevices(scanDevices(mouse, loadCatalogue(kCataloguePath, {}), 0).devices);
    hid.link().setCurrentIndex(1);  // the mouse

    uchar matrix[512] = {};
    uchar dpi[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    uchar macro[192] = {0x00, 0x01, 0x01, 0x04, 0x81, 0x04};
    report("key_matrix_512", medianMs(mouse, runs, 512, [&] { hid.hid_0DH_SetKeyMatrix(matrix); }),
           512);
    report("dpi_set", medianMs(mouse, runs, 8, [&] { hid.hid_11H_SetDPISet(1, dpi); }), 8);
    report("device_macro", medianMs(mouse, runs, 192, [&] { hid.hid_11H_SetMacroKey(1, macro); }),
           192);

    // A device that stops answering: how long one payload read holds the GUI thread. A click
    // must land within 100 ms.
    mouse.setFault(sim::VirtualMouse::InputNeverComes);
    uchar readBack[192] = {};
    const auto start = std::chrono::steady_clock::now();
    hid.hid_91H_GetMacroKey(1, readBack);
    std::printf("silent_device_read %.3f\n",
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
    std::printf("silent_device_read_goal 100\n");
    mouse.clearFaults();
    return 0;
}
