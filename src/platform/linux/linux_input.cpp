#include "platform/linux/linux_input.h"

#include <cerrno>
#include <system_error>

namespace z718::platform {

namespace {

std::string uinputReason(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "no permission to write /dev/uinput";
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return "/dev/uinput is missing (the uinput kernel module is not loaded)";
        default:
            return "/dev/uinput: " + std::generic_category().message(error);
    }
}

std::string nodeReason(const std::string& node, int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "no permission to read the mouse's input device " + node;
        case EBUSY:
            return "another program has taken the mouse's input device " + node;
        default:
            return node + ": " + std::generic_category().message(error);
    }
}

}  // namespace

LinuxInput::LinuxInput(PortableInput& portable, std::unique_ptr<evdev::EvdevSystem> system)
    : portable_(portable), system_(std::move(system)) {}

LinuxInput::~LinuxInput() {
    uninstall();
    if (injector_) {
        output_.detach(*injector_);
    }
}

bool LinuxInput::enableSystemWide(uint16_t vendor, uint16_t product, Notice notice) {
    vendor_ = vendor;
    product_ = product;
    notice_ = std::move(notice);
    if (systemWide_ || noticed_) {
        return systemWide_;
    }
    int error = 0;
    injector_ = system_->createInjector(error);
    if (!injector_) {
        fallBack(uinputReason(error));
        return false;
    }
    output_.setInjector(injector_.get());
    portable_.setObserveOnly(true);
    systemWide_ = true;
    rescan();
    return systemWide_;
}

void LinuxInput::rescan() {
    if (!systemWide_ || !installed_) {
        letGo();
        return;
    }
    const std::vector<std::string> paths = system_->eventNodes(vendor_, product_);
    if (paths == paths_ && !lost_) {
        return;
    }
    letGo();
    grabAll(paths);
}

bool LinuxInput::install(KeyboardHookProc keyboard, MouseHookProc mouse) {
    {
        std::lock_guard lock(procMutex_);
        keyboard_ = std::move(keyboard);
        mouse_ = std::move(mouse);
    }
    installed_ = true;
    portable_.install([this](int n, const KeyboardHookEvent& e) { return this->keyboard(n, e); },
                      [this](int n, const MouseHookEvent& e) { return this->mouse(n, e); });
    rescan();
    return true;
}

void LinuxInput::uninstall() {
    installed_ = false;
    letGo();
    portable_.uninstall();
    std::lock_guard lock(procMutex_);
    keyboard_ = nullptr;
    mouse_ = nullptr;
}

void LinuxInput::mouseEvent(uint32_t flags) {
    if (!systemWide_) {
        portable_.mouseEvent(flags);
        return;
    }
    output_.inject(evdev::buttonEvents(flags));
}

void LinuxInput::keybdEvent(uint8_t vk, uint8_t scan, uint32_t flags) {
    if (!systemWide_) {
        portable_.keybdEvent(vk, scan, flags);
        return;
    }
    if (const uint16_t key = evdev::keyOfVk(vk); key != 0) {
        const evdev::InputEvent event{evdev::kEvKey, key, (flags & win::kKeyEventKeyUp) ? 0 : 1};
        output_.inject({&event, 1});
    }
}

bool LinuxInput::keyboard(int nCode, const KeyboardHookEvent& event) {
    std::lock_guard lock(procMutex_);
    return keyboard_ && keyboard_(nCode, event);
}

bool LinuxInput::mouse(int nCode, const MouseHookEvent& event) {
    std::lock_guard lock(procMutex_);
    return mouse_ && mouse_(nCode, event);
}

bool LinuxInput::grabAll(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        int error = 0;
        if (auto node = system_->grab(path, error)) {
            nodes_.push_back(std::move(node));
            paths_.push_back(path);
        } else if (error != ENOENT && error != ENODEV) {  // else unplugged meanwhile
            fallBack(nodeReason(path, error));
            return false;
        }
    }
    if (nodes_.empty()) {
        return true;
    }
    remapper_ = std::make_unique<evdev::EvdevRemapper>(
        output_, [this](int n, const KeyboardHookEvent& e) { return keyboard(n, e); },
        [this](int n, const MouseHookEvent& e) { return mouse(n, e); });
    std::vector<evdev::GrabbedNode*> grabbed;
    for (const auto& node : nodes_) {
        remapper_->addNode(*node);
        grabbed.push_back(node.get());
    }
    reader_ = system_->read(grabbed, [this](size_t i) { return pump(i); });
    if (!reader_) {
        fallBack("no thread could be started to read the mouse's input devices");
        return false;
    }
    return true;
}

bool LinuxInput::pump(size_t node) {
    if (remapper_->pump(node)) {
        return true;
    }
    // Unplugged: nothing the mouse pressed may stay pressed.
    lost_ = true;
    output_.releaseAll();
    return false;
}

void LinuxInput::letGo() {
    reader_.reset();
    output_.releaseAll();
    remapper_.reset();
    for (const auto& node : nodes_) {
        output_.detach(node->mirror());
    }
    nodes_.clear();
    paths_.clear();
    lost_ = false;
}

void LinuxInput::fallBack(const std::string& reason) {
    letGo();
    systemWide_ = false;
    if (injector_) {
        output_.detach(*injector_);
        injector_.reset();
    }
    portable_.setObserveOnly(false);
    if (!noticed_) {
        noticed_ = true;
        if (notice_) {
            notice_(reason);
        }
    }
}

}  // namespace z718::platform
