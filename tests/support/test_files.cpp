#include "support/test_files.h"

#include "files/path_bytes.h"

#include <fstream>
#include <iterator>

namespace bladetrace::testing {

QByteArray fileBytes(const QString& path) {
    std::ifstream in(pathBytes(path).toStdString(), std::ios::binary);
    return in ? QByteArray::fromStdString({std::istreambuf_iterator<char>(in), {}})
              : QByteArray("(unreadable)");
}

void make(const QString& path, const QByteArray& bytes) {
    std::ofstream(pathBytes(path).toStdString(), std::ios::binary) << bytes.toStdString();
}

} // namespace bladetrace::testing
