#include <hidapi.h>

#include "link/hid_api.h"

namespace z718 {

namespace {

hid_device* native(HidApi::Device* device) {
    return reinterpret_cast<hid_device*>(device);
}

class RealHidApi final : public HidApi {
public:
    Enumeration* enumerate(uint16_t vendorId, uint16_t productId) override {
        auto* list = new Enumeration;
        hid_device_info* head = hid_enumerate(vendorId, productId);
        for (hid_device_info* info = head; info; info = info->next) {
            list->push_back({info->path ? info->path : "", info->vendor_id, info->product_id,
                             info->usage_page, info->usage});
        }
        hid_free_enumeration(head);
        return list;
    }
    void freeEnumeration(Enumeration* list) override { delete list; }
    Device* openPath(const char* path) override {
        return reinterpret_cast<Device*>(hid_open_path(path));
    }
    int setNonblocking(Device* device, int nonblock) override {
        return hid_set_nonblocking(native(device), nonblock);
    }
    int sendFeatureReport(Device* device, const unsigned char* data, size_t length) override {
        return hid_send_feature_report(native(device), data, length);
    }
    int getFeatureReport(Device* device, unsigned char* data, size_t length) override {
        return hid_get_feature_report(native(device), data, length);
    }
    int write(Device* device, const unsigned char* data, size_t length) override {
        return hid_write(native(device), data, length);
    }
    int readTimeout(Device* device, unsigned char* data, size_t length, int milliseconds) override {
        return hid_read_timeout(native(device), data, length, milliseconds);
    }
    void close(Device* device) override { hid_close(native(device)); }
};

}  // namespace

std::unique_ptr<HidApi> systemHid() {
    return std::make_unique<RealHidApi>();
}

}  // namespace z718
