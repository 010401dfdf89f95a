#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <map>
#include <mutex>

#include "platform/linux/evdev_io.h"

namespace z718::test {

using namespace platform::evdev;

// What went out through the uinput devices and what was grabbed, in order: "event5: REL_X 3",
// "event5: SYN", "injector: BTN_LEFT 1", "event5 ungrabbed".
class OutputLog {
public:
    void add(const QString& line) {
        std::lock_guard lock(mutex_);
        lines_.append(line);
    }
    QStringList take() {
        std::lock_guard lock(mutex_);
        return std::exchange(lines_, {});
    }

private:
    std::mutex mutex_;
    QStringList lines_;
};

inline QString describe(uint16_t type, uint16_t code, int32_t value) {
    static const std::map<std::pair<uint16_t, uint16_t>, const char*> kNames = {
        {{kEvSyn, kSynReport}, "SYN"},      {{kEvRel, kRelX}, "REL_X"},
        {{kEvRel, kRelY}, "REL_Y"},         {{kEvRel, kRelWheel}, "REL_WHEEL"},
        {{kEvMsc, kMscScan}, "MSC_SCAN"},   {{kEvKey, kBtnLeft}, "BTN_LEFT"},
        {{kEvKey, kBtnRight}, "BTN_RIGHT"}, {{kEvKey, kKeyLeftMeta}, "KEY_LEFTMETA"},
        {{kEvKey, kKeyD}, "KEY_D"},         {{kEvKey, 29}, "KEY_LEFTCTRL"},
    };
    const auto it = kNames.find({type, code});
    const QString name =
        it != kNames.end() ? QLatin1String(it->second) : QString::asprintf("%u/%u", type, code);
    return type == kEvSyn ? name : QString::asprintf("%s %d", qPrintable(name), value);
}

class FakeSink : public EventSink {
public:
    FakeSink(QString name, OutputLog& log) : name_(std::move(name)), log_(log) {}
    void write(uint16_t type, uint16_t code, int32_t value) override {
        log_.add(name_ + QStringLiteral(": ") + describe(type, code, value));
    }

private:
    QString name_;
    OutputLog& log_;
};

// A recorded event node: hands out its steps as libevdev_next_event would, then Again.
class FakeNode : public GrabbedNode {
public:
    struct Step {
        ReadStatus status;
        InputEvent event;
        ReadMode mode = ReadMode::Normal;  // the mode libevdev is asked in at this step
    };

    FakeNode(const QString& name, OutputLog& log) : name_(name), log_(log), mirror_(name, log) {}
    ~FakeNode() override { log_.add(name_ + QStringLiteral(" ungrabbed")); }

    EventSink& mirror() override { return mirror_; }
    ReadStatus next(ReadMode mode, InputEvent& event) override {
        std::lock_guard lock(mutex_);
        if (steps_.empty()) {
            return gone_ ? ReadStatus::Gone : ReadStatus::Again;
        }
        const Step step = steps_.front();
        steps_.pop_front();
        if (step.mode != mode) {
            misreads_.append(describe(step.event.type, step.event.code, step.event.value));
        }
        event = step.event;
        return step.status;
    }

    // Events of one frame, then its SYN_REPORT, as the kernel sends them.
    void frame(std::initializer_list<InputEvent> events, uint32_t timeMs = 0) {
        std::lock_guard lock(mutex_);
        for (InputEvent e : events) {
            e.timeMs = timeMs;
            steps_.push_back({ReadStatus::Event, e});
        }
        steps_.push_back({ReadStatus::Event, {kEvSyn, kSynReport, 0, timeMs}});
    }
    void add(Step step) {
        std::lock_guard lock(mutex_);
        steps_.push_back(step);
    }
    void unplug() {
        std::lock_guard lock(mutex_);
        gone_ = true;
    }
    // Steps read in the wrong mode.
    QStringList misreads() {
        std::lock_guard lock(mutex_);
        return misreads_;
    }

private:
    std::mutex mutex_;
    QString name_;
    OutputLog& log_;
    FakeSink mirror_;
    std::deque<Step> steps_;
    bool gone_ = false;
    QStringList misreads_;
};

class FakeSystem : public EvdevSystem {
public:
    explicit FakeSystem(OutputLog& log) : log_(log) {}

    std::vector<std::string> eventNodes(uint16_t vendor, uint16_t product) override {
        return vendor == 0x3151 && product == 0x5718 ? plugged : std::vector<std::string>{};
    }
    std::unique_ptr<GrabbedNode> grab(const std::string& path, int& error) override {
        ++grabs;
        if (const auto it = grabErrors.find(path); it != grabErrors.end()) {
            error = it->second;
            return nullptr;
        }
        auto node = std::make_unique<FakeNode>(QString::fromStdString(path).section('/', -1), log_);
        nodes[path] = node.get();
        return node;
    }
    std::unique_ptr<EventSink> createInjector(int& error) override {
        error = injectorError;
        return error ? nullptr : std::make_unique<FakeSink>(QStringLiteral("injector"), log_);
    }
    std::unique_ptr<NodeReader> read(const std::vector<GrabbedNode*>& grabbed,
                                     std::function<bool(size_t)> pumpNode) override {
        reading = grabbed;
        pump = std::move(pumpNode);
        return std::make_unique<Reader>(*this);
    }

    // What the reader thread does when node i has events.
    bool deliver(const std::string& path) {
        for (size_t i = 0; i < reading.size(); ++i) {
            if (reading[i] == nodes[path]) {
                return pump(i);
            }
        }
        return false;
    }

    std::vector<std::string> plugged;
    std::map<std::string, int> grabErrors;
    int injectorError = 0;
    int grabs = 0;
    std::map<std::string, FakeNode*> nodes;  // the last grab of each path
    std::vector<GrabbedNode*> reading;
    std::function<bool(size_t)> pump;

private:
    struct Reader : NodeReader {
        explicit Reader(FakeSystem& system) : system_(system) {}
        ~Reader() override {
            system_.reading.clear();
            system_.pump = nullptr;
        }
        FakeSystem& system_;
    };
    OutputLog& log_;
};

}  // namespace z718::test
