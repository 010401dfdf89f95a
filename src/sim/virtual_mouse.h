#pragma once

#include <QStringList>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "link/catalogue.h"
#include "link/hid_api.h"
#include "sim/firmware_model.h"

namespace z718::sim {

// A mouse (and, when asked, its keyboard sibling) behind the hidapi seam: the interfaces
// the catalogue names, a firmware model per device, a log of every report and injectable
// faults. Plugging and unplugging announce a device change like the system would. A frame
// with a wrong checksum is refused; a read with nothing pending gets a report of zeros.
class VirtualMouse : public HidApi {
public:
    enum Fault : unsigned {
        OpenRefused = 1u << 0,
        SendFeatureFails = 1u << 1,
        GetFeatureFails = 1u << 2,
        WriteFails = 1u << 3,
        ReadFails = 1u << 4,
        InputNeverComes =
            1u << 5,  // a read waits until the fault clears, the device goes or it times out
    };

    // Uses the catalogue's mouse (type 1) and keyboard (type 0) entries.
    explicit VirtualMouse(const QList<CatalogueEntry>& catalogue);
    VirtualMouse();  // the built-in catalogue
    ~VirtualMouse() override;

    void plug();
    void unplug();
    bool isPlugged() const;
    // The keyboard entry's interfaces show up too while this is on.
    void setKeyboardPresent(bool present);

    // Expect scrambled frames and scramble replies with this code, as firmware with the
    // secrecy code switched on does.
    void setScrambling(const std::array<uchar, 8>& code);

    void setFault(Fault fault, bool on = true);
    void clearFaults();

    FirmwareModel& mouseFirmware() { return mouse_.firmware; }
    FirmwareModel& keyboardFirmware() { return keyboard_.firmware; }

    // Every report as "<kind> <hex bytes>", kind one of feature-out, feature-in, output, input.
    QStringList log() const;
    void clearLog();
    int callCount() const;
    int openHandles() const;

    Enumeration* enumerate(uint16_t vendorId, uint16_t productId) override;
    void freeEnumeration(Enumeration* list) override;
    Device* openPath(const char* path) override;
    int setNonblocking(Device* device, int nonblock) override;
    int sendFeatureReport(Device* device, const unsigned char* data, size_t length) override;
    int getFeatureReport(Device* device, unsigned char* data, size_t length) override;
    int write(Device* device, const unsigned char* data, size_t length) override;
    int readTimeout(Device* device, unsigned char* data, size_t length, int milliseconds) override;
    void close(Device* device) override;

private:
    struct SimDevice {
        explicit SimDevice(FirmwareModel::Family family) : firmware(family) {}
        CatalogueEntry entry;
        std::string name;
        FirmwareModel firmware;
        bool found = false;  // the catalogue has an entry for it
    };
    SimDevice* deviceFor(Device* handle);  // null when the device is gone
    bool present(const SimDevice& device) const;
    bool failing(Fault fault) const { return (faults_ & fault) != 0; }
    void record(const char* kind, const unsigned char* data, size_t length);
    void announceChange();

    mutable std::mutex mutex_;
    std::condition_variable inputChanged_;
    SimDevice mouse_{FirmwareModel::Family::Mouse};
    SimDevice keyboard_{FirmwareModel::Family::Keyboard};
    bool plugged_ = true;
    bool keyboardPresent_ = false;
    unsigned faults_ = 0;
    bool scrambling_ = false;
    std::array<uchar, 8> code_{};
    QStringList log_;
    int calls_ = 0;
    int openHandles_ = 0;
};

}  // namespace z718::sim
