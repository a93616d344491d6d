// Writes a picture again in the forms the loader must read besides the plain ones, as seeds
// for fuzz_picture: progressive JPEG, interlaced PNG and GIF, tiled and compressed TIFF, WebP,
// PNM and run-length bitmap. Qt writes what it can; the rest is written here byte by byte.
//   fuzz_seeds PICTURE OUT-PREFIX

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>
#include <cstdio>

namespace {

QByteArray be32(quint32 v) {
    QByteArray b(4, '\0');
    qToBigEndian(v, b.data());
    return b;
}

QByteArray le16(quint16 v) {
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

quint32 crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc >> 1 ^ (crc & 1 ? 0xEDB88320u : 0);
    }
    return ~crc;
}

QByteArray pngChunk(const char* type, const QByteArray& data) {
    const QByteArray body = QByteArray(type) + data;
    return be32(quint32(data.size())) + body + be32(crc32(body));
}

// Grey, 8 bits, Adam7: seven passes over ever finer grids.
QByteArray interlacedPng(const QImage& grey) {
    static const int passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                     {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    QByteArray raw;
    for (const auto& p : passes)
        for (int y = p[1]; y < grey.height(); y += p[3]) {
            if (p[0] >= grey.width())
                break;
            raw.append('\0'); // no filter
            for (int x = p[0]; x < grey.width(); x += p[2])
                raw.append(char(grey.constScanLine(y)[x]));
        }
    const QByteArray header = be32(quint32(grey.width())) + be32(quint32(grey.height())) +
                              QByteArray("\x08\x00\x00\x00\x01", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) +
           pngChunk("IDAT", qCompress(raw).mid(4)) + pngChunk("IEND", {});
}

// Black and white, rows in the four interlace passes, every pixel its own code and the code
// table cleared before it grows past three bits.
QByteArray interlacedGif(const QImage& grey) {
    QByteArray g("GIF89a");
    g += le16(quint16(grey.width())) + le16(quint16(grey.height()));
    g.append("\x80\0\0\0\0\0\xFF\xFF\xFF", 9);
    g += QByteArray(",") + le16(0) + le16(0) + le16(quint16(grey.width())) +
         le16(quint16(grey.height()));
    g.append("\x40\2", 2); // interlaced; codes start at 3 bits
    QByteArray codes;
    quint32 bits = 0;
    int count = 0, n = 0;
    const auto code = [&](int c) {
        bits |= quint32(c) << count;
        for (count += 3; count >= 8; count -= 8, bits >>= 8)
            codes.append(char(bits & 0xFF));
    };
    static const int passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (const auto& p : passes)
        for (int y = p[0]; y < grey.height(); y += p[1])
            for (int x = 0; x < grey.width(); ++x, ++n) {
                if (n % 2 == 0)
                    code(4); // clear
                code(grey.constScanLine(y)[x] < 128 ? 0 : 1);
            }
    code(5), codes.append(char(bits)); // end of information
    for (int i = 0; i < codes.size(); i += 255)
        g.append(char(codes.mid(i, 255).size())).append(codes.mid(i, 255));
    return g.append("\0;", 2);
}

// Grey, 8 bits, in 16 x 16 tiles, each packed in literal runs (PackBits).
QByteArray tiledTiff(const QImage& grey) {
    constexpr int kTile = 16;
    const int across = (grey.width() + kTile - 1) / kTile;
    const int down = (grey.height() + kTile - 1) / kTile;
    QByteArray tiles;
    QList<quint32> offsets, counts;
    for (int ty = 0; ty < down; ++ty)
        for (int tx = 0; tx < across; ++tx) {
            QByteArray tile;
            for (int y = ty * kTile; y < (ty + 1) * kTile; ++y)
                for (int x = tx * kTile; x < (tx + 1) * kTile; ++x)
                    tile.append(x < grey.width() && y < grey.height()
                                    ? char(grey.constScanLine(y)[x])
                                    : '\0');
            offsets << quint32(8 + tiles.size());
            for (int i = 0; i < tile.size(); i += 128)
                tiles.append(char(qMin(128, int(tile.size()) - i) - 1)).append(tile.mid(i, 128));
            counts << quint32(8 + tiles.size()) - offsets.last();
        }
    QByteArray arrays;
    const quint32 afterTiles = quint32(8 + tiles.size());
    for (const quint32 o : offsets)
        arrays += le32(o);
    for (const quint32 c : counts)
        arrays += le32(c);
    const quint32 tileCount = quint32(offsets.size());
    const quint32 directory = afterTiles + quint32(arrays.size());
    const struct {
        quint16 tag, type;
        quint32 count, value;
    } entries[] = {
        {256, 4, 1, quint32(grey.width())},
        {257, 4, 1, quint32(grey.height())},
        {258, 3, 1, 8},
        {259, 3, 1, 32773},
        {262, 3, 1, 1},
        {277, 3, 1, 1},
        {322, 3, 1, kTile},
        {323, 3, 1, kTile},
        {324, 4, tileCount, afterTiles},
        {325, 4, tileCount, afterTiles + 4 * tileCount},
    };
    QByteArray ifd = le16(quint16(std::size(entries)));
    for (const auto& e : entries)
        ifd += le16(e.tag) + le16(e.type) + le32(e.count) + le32(e.value);
    ifd += le32(0);
    return QByteArray("II*\0", 4) + le32(directory) + tiles + arrays + ifd;
}

// 8 bits, run-length coded, a grey palette, each row ending with its end mark.
QByteArray runLengthBitmap(const QImage& grey) {
    QByteArray pixels;
    for (int y = grey.height() - 1; y >= 0; --y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width();) {
            int run = 1;
            while (x + run < grey.width() && run < 255 && line[x + run] == line[x])
                ++run;
            pixels.append(char(run)).append(char(line[x]));
            x += run;
        }
        pixels.append(y == 0 ? QByteArray("\0\1", 2) : QByteArray("\0\0", 2));
    }
    QByteArray palette;
    for (int i = 0; i < 256; ++i)
        palette += le32(quint32(i) * 0x010101u);
    const quint32 offset = 14 + 40 + quint32(palette.size());
    return QByteArray("BM") + le32(offset + quint32(pixels.size())) + le32(0) + le32(offset) +
           le32(40) + le32(quint32(grey.width())) + le32(quint32(grey.height())) + le16(1) +
           le16(8) + le32(1) + le32(quint32(pixels.size())) + le32(2835) + le32(2835) + le32(256) +
           le32(0) + palette + pixels;
}

bool save(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool write(const QImage& image, const QString& path, const char* format, int compression = -1,
           bool progressive = false) {
    QImageWriter writer(path, format);
    if (compression >= 0)
        writer.setCompression(compression);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: fuzz_seeds PICTURE OUT-PREFIX\n", stderr);
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const QString out = QString::fromLocal8Bit(argv[2]);
    const bool ok = write(image, out + "-progressive.jpg", "jpeg", -1, true) &&
                    write(image, out + ".webp", "webp") && write(grey, out + ".pgm", "pgm") &&
                    write(grey.convertToFormat(QImage::Format_Mono), out + ".pbm", "pbm") &&
                    write(image, out + "-lzw.tif", "tiff", 1) &&
                    save(out + "-tiled.tif", tiledTiff(grey)) &&
                    save(out + "-interlaced.png", interlacedPng(grey)) &&
                    save(out + "-interlaced.gif", interlacedGif(grey)) &&
                    save(out + "-rle.bmp", runLengthBitmap(grey));
    if (!ok)
        std::fprintf(stderr, "fuzz_seeds: cannot write %s-*\n", argv[2]);
    return ok ? 0 : 1;
}
