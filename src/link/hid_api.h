#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace z718 {

// The nine hidapi calls the link makes, behind one interface so that the virtual mouse can
// stand in for real hardware. Return values follow hidapi: negative means failure.
class HidApi {
public:
    struct DeviceInfo {
        std::string path;
        uint16_t vendorId = 0;
        uint16_t productId = 0;
        uint16_t usagePage = 0;
        uint16_t usage = 0;
    };
    using Enumeration = std::vector<DeviceInfo>;
    struct Device;  // opaque handle

    virtual ~HidApi() = default;

    virtual Enumeration* enumerate(uint16_t vendorId, uint16_t productId) = 0;
    virtual void freeEnumeration(Enumeration* list) = 0;
    virtual Device* openPath(const char* path) = 0;
    virtual int setNonblocking(Device* device, int nonblock) = 0;
    virtual int sendFeatureReport(Device* device, const unsigned char* data, size_t length) = 0;
    virtual int getFeatureReport(Device* device, unsigned char* data, size_t length) = 0;
    virtual int write(Device* device, const unsigned char* data, size_t length) = 0;
    // 0 when no report came within `milliseconds`.
    virtual int readTimeout(Device* device, unsigned char* data, size_t length,
                            int milliseconds) = 0;
    virtual void close(Device* device) = 0;
};

// The real hidapi.
std::unique_ptr<HidApi> systemHid();

}  // namespace z718
