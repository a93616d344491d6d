#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace bladetrace::accuracy {

// One measured point of a UIUC wind-tunnel test.
struct TunnelPoint {
    double rpm = 0;
    double J = 0;
    double CT = 0;
    double CP = 0;
};

// One test: a curve over J at a nominal RPM (the file name's last number), or the static
// test over RPM at J = 0.
struct TunnelTest {
    QString file; // the file's name, without its folder
    bool isStatic = false;
    double rpm = 0; // the nominal RPM of a curve; 0 for the static test
    std::vector<TunnelPoint> points;
};

// The tests of the propeller `key` in `folder`: files "KEY_<run>_<RPM>.txt" and
// "KEY_static_<run>.txt". Empty when there are none; `error` is set when one cannot be read.
std::vector<TunnelTest> readTunnelTests(const QString& folder, const QString& key, QString& error);

// The diameter in metres from the name's first number after its first "_": inches, or
// millimetres where the number is too large for inches (pl_57x20: 57 mm).
std::optional<double> diameterFromName(const QString& key);

} // namespace bladetrace::accuracy
