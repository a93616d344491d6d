#include "run/pair_loader.h"

#include <chrono>
#include <future>
#include <memory>
#include <system_error>
#include <thread>

namespace bladetrace {
namespace {

// How long a run that ends before taking a view waits for its load to end.
constexpr std::chrono::seconds kGrace(10);

// Loads `name` on a thread of its own, which the future does not join: Qt's readers are not
// safe when memory runs out inside them (a lock of the plugin loader may stay taken), and a
// load stuck on one must not keep the process from ending.
std::future<ScanHolder> loadOnThread(const QString& name, const LoadLimits& limits) {
    auto promise = std::make_shared<std::promise<ScanHolder>>();
    std::future<ScanHolder> picture = promise->get_future();
    std::thread([promise, name, limits] {
        try {
            promise->set_value(loadScanPicture(name, limits));
        } catch (...) {
            promise->set_exception(std::current_exception());
        }
    }).detach();
    return picture;
}

} // namespace

PictureLoader loadPairAtOnce(const QString& topFile, const QString& sideFile,
                             const LoadLimits& limits) {
    struct Loads {
        QString names[2];
        std::future<ScanHolder> pictures[2];
        ~Loads() {
            for (const std::future<ScanHolder>& picture : pictures)
                if (picture.valid())
                    picture.wait_for(kGrace);
        }
    };
    auto loads = std::make_shared<Loads>();
    for (int i = 0; i < 2; ++i) {
        loads->names[i] = i == 0 ? topFile : sideFile;
        try {
            loads->pictures[i] = loadOnThread(loads->names[i], limits);
        } catch (const std::system_error&) {
            // No thread to be had (no room left for its stack): loaded when asked for.
            loads->pictures[i] =
                std::async(std::launch::deferred, [name = loads->names[i], limits] {
                    return loadScanPicture(name, limits);
                });
        }
    }
    return [loads, limits](const QString& fileName) {
        for (int i = 0; i < 2; ++i)
            if (fileName == loads->names[i] && loads->pictures[i].valid())
                return loads->pictures[i].get();
        return loadScanPicture(fileName, limits);
    };
}

} // namespace bladetrace
