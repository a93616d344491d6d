#include "run/pair_loader.h"

#include <future>
#include <memory>
#include <system_error>

namespace bladetrace {

PictureLoader loadPairAtOnce(const QString& topFile, const QString& sideFile,
                             const LoadLimits& limits) {
    struct Loads {
        QString names[2];
        std::future<ScanHolder> pictures[2];
    };
    auto loads = std::make_shared<Loads>();
    for (int i = 0; i < 2; ++i) {
        loads->names[i] = i == 0 ? topFile : sideFile;
        const auto load = [name = loads->names[i], limits] {
            return loadScanPicture(name, limits);
        };
        try {
            loads->pictures[i] = std::async(std::launch::async, load);
        } catch (const std::system_error&) {
            // No thread to be had (no room left for its stack): loaded when asked for.
            loads->pictures[i] = std::async(std::launch::deferred, load);
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
