#include "BombBench.h"

#include "BenchStats.h"
#include "imaging/Fit.h"
#include "imaging/PictureSource.h"
#include "support/TestPictures.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <spng.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace sorvane::bench {
namespace {

const QSize ViewerBox(1920, 1080);

// Rows come from `row` (y, bytes to fill). Level 1 keeps the 100-megapixel
// picture quick to make; level 9 packs the bomb as tight as deflate goes.
bool WritePng(const QString& path, spng_ihdr ihdr, int level,
              const std::function<void(std::uint32_t, std::vector<unsigned char>&)>& row) {
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
    spng_set_png_file(ctx, file);
    spng_set_option(ctx, SPNG_IMG_COMPRESSION_LEVEL, level);
    spng_set_ihdr(ctx, &ihdr);
    const int channels = ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR ? 3 : 1;
    std::vector<unsigned char> bytes((std::size_t(ihdr.width) * channels * ihdr.bit_depth + 7) / 8);
    int error = spng_encode_image(ctx, nullptr, 0, SPNG_FMT_PNG,
                                  SPNG_ENCODE_PROGRESSIVE | SPNG_ENCODE_FINALIZE);
    for (std::uint32_t y = 0; y < ihdr.height && error == 0; ++y) {
        row(y, bytes);
        error = spng_encode_row(ctx, bytes.data(), bytes.size());
    }
    spng_ctx_free(ctx);
    std::fclose(file);
    return error == SPNG_EOI;
}

// The simple thing: every pixel decoded, then the picture shrunk to the box.
QImage FullThenScaled(const QString& path) {
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    spng_ctx* ctx = spng_ctx_new(0);
    spng_set_png_file(ctx, file);
    spng_ihdr ihdr{};
    QImage image;
    if (spng_get_ihdr(ctx, &ihdr) == 0) {
        image = QImage(int(ihdr.width), int(ihdr.height), QImage::Format_RGBA8888);
        if (image.isNull() || spng_decode_image(ctx, image.bits(), std::size_t(image.sizeInBytes()),
                                                SPNG_FMT_RGBA8, 0) != 0)
            image = QImage();
    }
    spng_ctx_free(ctx);
    std::fclose(file);
    if (ShrinksToFit(image.size(), ViewerBox))
        image = image.scaled(FittedSize(image.size(), ViewerBox), Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
    return image;
}

} // namespace

Cost MeasureInChild(const std::function<void()>& load) {
    int channel[2];
    if (::pipe(channel) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        const double before = PeakResidentMiB();
        QElapsedTimer clock;
        clock.start();
        load();
        const Cost cost{double(clock.nsecsElapsed()) / 1e6, PeakResidentMiB() - before};
        const bool written = ::write(channel[1], &cost, sizeof cost) == sizeof cost;
        ::_exit(written ? 0 : 1);
    }
    ::close(channel[1]);
    Cost cost;
    if (::read(channel[0], &cost, sizeof cost) != sizeof cost)
        cost = {-1, -1};
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    return cost;
}

namespace {

const Cost kNone{0, 0};

} // namespace

void HugeClaimRows(const QString& dir, const RowPrinter& row) {
    const QImage corners = test::CornerPicture(QSize(64, 48));
    const struct {
        QString name;
        QByteArray bytes;
    } kinds[] = {
        {QStringLiteral("HEIC claiming 100000 x 100000"),
         test::HeifPicture(corners, test::HeifCodec::Hevc)},
        {QStringLiteral("AVIF claiming 100000 x 100000"),
         test::HeifPicture(corners, test::HeifCodec::Av1)},
        {QStringLiteral("TIFF claiming 100000 x 100000"), test::EncodedPicture(corners, "TIFF")},
        {QStringLiteral("raw claiming 100000 x 100000"), test::MinimalDng(QSize(64, 48), {})},
    };
    for (const auto& kind : kinds) {
        QByteArray bytes = kind.bytes;
        const QString path = dir + QStringLiteral("/huge");
        QFile file(path);
        if (!test::ClaimHugeSize(bytes) || !file.open(QIODevice::WriteOnly) ||
            file.write(bytes) != bytes.size())
            qFatal("cannot make %s", qPrintable(kind.name));
        file.close();
        const Cost ours = MeasureInChild([&] {
            PictureSource(PictureSource::Options{12, 0}).load(path, ViewerBox);
        });
        row(QStringLiteral("load for the viewer, time"), kind.name, ours.ms, kNone.ms, "ms",
            QStringLiteral("< 100 ms"), false);
        row(QStringLiteral("load for the viewer, memory peak"), kind.name, ours.peakMiB,
            kNone.peakMiB, "MiB", QStringLiteral("< 64 MiB"), false);
    }
}

void BombRows(const RowPrinter& row) {
    QTemporaryDir dir;
    const QString cut = dir.filePath("cut.png"), bomb = dir.filePath("bomb.png"),
                  big = dir.filePath("big.png");
    const auto zeros = [](std::uint32_t, std::vector<unsigned char>& bytes) {
        std::fill(bytes.begin(), bytes.end(), 0);
    };
    WritePng(bomb, {32768, 32767, 1, SPNG_COLOR_TYPE_GRAYSCALE, 0, 0, 0}, 9, zeros);
    WritePng(cut, {32768, 32768, 1, SPNG_COLOR_TYPE_GRAYSCALE, 0, 0, 0}, 9, zeros);
    QFile(cut).resize(74);
    // Smooth colour fields with a little noise, as a photograph has.
    WritePng(big, {10000, 10000, 8, SPNG_COLOR_TYPE_TRUECOLOR, 0, 0, 0}, 1,
             [](std::uint32_t y, std::vector<unsigned char>& bytes) {
                 std::uint32_t noise = y * 2654435761u;
                 for (std::size_t i = 0; i < bytes.size(); ++i) {
                     noise = noise * 1103515245u + 12345u;
                     bytes[i] = static_cast<unsigned char>((i / 3 / 40 + y / 30 + i % 3 * 80) +
                                                           (noise >> 28));
                 }
             });
    std::printf("PNG files: %lld, %lld and %lld bytes\n", QFile(cut).size(), QFile(bomb).size(),
                QFile(big).size());
    const struct {
        QString path, name, timeTarget;
    } files[] = {{cut, QStringLiteral("cut header, 74 bytes"), QStringLiteral("< 100 ms")},
                 {bomb, QStringLiteral("1-bit 32768 x 32767, 130 KB"), QStringLiteral("< 2 s")},
                 {big, QStringLiteral("100 megapixels"), QStringLiteral("shows")}};
    Cost bombBase;
    for (const auto& file : files) {
        const Cost ours = MeasureInChild([&] {
            PictureSource(PictureSource::Options{12, 0}).load(file.path, ViewerBox);
        });
        const Cost base = MeasureInChild([&] { FullThenScaled(file.path); });
        if (file.path == bomb)
            bombBase = base;
        row(QStringLiteral("PNG load for the viewer, time"), file.name, ours.ms, base.ms, "ms",
            file.timeTarget, false);
        row(QStringLiteral("PNG load for the viewer, memory peak"), file.name, ours.peakMiB,
            base.peakMiB, "MiB", QStringLiteral("< 64 MiB"), false);
    }
    // A press that shows the bomb while a worker is still reading it ahead
    // waits for that worker.
    const Cost behind = MeasureInChild([&] {
        PictureSource source(PictureSource::Options{12, 1});
        source.prefetch({bomb}, ViewerBox);
        ::usleep(20000);
        source.load(bomb, ViewerBox);
    });
    row(QStringLiteral("press -> bomb shown, read ahead in flight"), files[1].name, behind.ms,
        bombBase.ms, "ms", QStringLiteral("< 2 s"), false);
    HugeClaimRows(dir.path(), row);
}

} // namespace sorvane::bench
