#include "KindsBench.h"

#include "BenchPictures.h"
#include "imaging/PictureSource.h"
#include "support/TestPictures.h"

#include <QColorSpace>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace sorvane::bench {
namespace {

const QSize kBoxes[] = {{1412, 941}, {1920, 1080}};

struct Kind {
    QString name;
    QString ending;
    std::function<QByteArray(int seed)> make;
    QStringList originals;
};

QString BoxName(QSize box) {
    return QStringLiteral("viewer %1x%2").arg(box.width()).arg(box.height());
}

QByteArray AdobeRgbPhoto(int seed) {
    QImage photo = Photo(QSize(6000, 4000), seed);
    photo.setColorSpace(QColorSpace(QColorSpace::AdobeRgb));
    return test::EncodedPicture(photo, "JPEG");
}

std::vector<Kind> Kinds() {
    const QSize camera(6000, 4000), phone(4032, 3024);
    return {
        {QStringLiteral("JPEG 6000x4000, orientation 6"),
         QStringLiteral("JPG"),
         [=](int seed) { return test::OrientedJpeg(Photo(camera.transposed(), seed), 6); },
         {}},
        {QStringLiteral("JPEG 6000x4000, Adobe RGB"), QStringLiteral("JPG"), AdobeRgbPhoto, {}},
        {QStringLiteral("WebP 4032x3024"),
         QStringLiteral("WEBP"),
         [=](int seed) { return test::EncodedPicture(Photo(phone, seed), "WEBP"); },
         {}},
        {QStringLiteral("TIFF 6000x4000"),
         QStringLiteral("TIF"),
         [=](int seed) { return test::EncodedPicture(Photo(camera, seed), "TIFF"); },
         {}},
        {QStringLiteral("HEIC 4032x3024"),
         QStringLiteral("HEIC"),
         [=](int seed) { return test::HeifPicture(Photo(phone, seed), test::HeifCodec::Hevc); },
         {}},
        {QStringLiteral("AVIF 4032x3024"),
         QStringLiteral("AVIF"),
         [=](int seed) { return test::HeifPicture(Photo(phone, seed), test::HeifCodec::Av1); },
         {}},
        {QStringLiteral("raw 6000x4000, full preview"),
         QStringLiteral("DNG"),
         [=](int seed) { return test::MinimalDng(camera, Photo(camera, seed)); },
         {}},
    };
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void MakeOriginals(const QString& dir, Kind& kind) {
    for (int seed = 0; seed < 2; ++seed) {
        kind.originals << QStringLiteral("%1-%2.%3").arg(dir).arg(seed).arg(kind.ending);
        Write(kind.originals.last(), kind.make(seed));
    }
    std::printf("%s: %lld bytes\n", qPrintable(kind.name), QFile(kind.originals[0]).size());
    std::fflush(stdout);
}

} // namespace

void KindRows(const QStringList& plainJpegs, bool quick, bool skipBaseline, const RowPrinter& row) {
    QTemporaryDir dir;
    std::vector<Kind> kinds = Kinds();
    for (std::size_t i = 0; i < kinds.size(); ++i)
        MakeOriginals(dir.path() + QStringLiteral("/kind%1").arg(i), kinds[i]);
    kinds.insert(
        kinds.begin(),
        Kind{QStringLiteral("JPEG 6000x4000, plain"), QStringLiteral("JPG"), {}, plainJpegs});
    const int ours = quick ? 15 : 60, base = quick ? 4 : 10;
    double rawPeak = 0;
    for (const QSize box : kBoxes) {
        for (const Kind& kind : kinds) {
            QTemporaryDir a, b;
            const ViewerStepResult mine = MeasureViewerSteps(a.path(), kind.originals, kind.ending,
                                                             ours, 300, box, Mode::Sorvane);
            const ViewerStepResult plain =
                skipBaseline ? ViewerStepResult{}
                             : MeasureViewerSteps(b.path(), kind.originals, kind.ending, base, 300,
                                                  box, Mode::Baseline);
            row(QStringLiteral("step -> painted, median (%1)").arg(kind.name), BoxName(box),
                mine.latency.Median(), plain.latency.Median(), "ms",
                kind.name.startsWith(QLatin1String("JPEG")) ? "plain JPEG + 0.5" : "<= 5 ms",
                false);
            if (kind.ending == QLatin1String("DNG"))
                rawPeak = std::max(rawPeak, mine.peakResidentMiB);
        }
    }
    row(QStringLiteral("resident memory during the raw runs, peak"), "viewer", rawPeak, 0, "MiB",
        "<= 400 MiB", false);
}

void ColdRows(const RowPrinter& row) {
    QTemporaryDir dir;
    for (Kind kind : Kinds()) {
        if (kind.ending != QLatin1String("DNG") && kind.ending != QLatin1String("HEIC"))
            continue;
        MakeOriginals(dir.path() + u'/' + kind.ending, kind);
        // In this process: a child forked from it would wait for ever on the
        // thread pool Qt scales large pictures with.
        for (const QSize box : kBoxes) {
            QElapsedTimer clock;
            clock.start();
            PictureSource(PictureSource::Options{12, 0}).load(kind.originals[0], box);
            const double cold = double(clock.nsecsElapsed()) / 1e6;
            clock.restart();
            ReadPicture(kind.originals[1]);
            const double whole = double(clock.nsecsElapsed()) / 1e6;
            row(QStringLiteral("one cold decode to the box (%1)").arg(kind.name), BoxName(box),
                cold, whole, "ms", kind.ending == QLatin1String("DNG") ? "<= 60 ms" : "report",
                false);
        }
    }
}

} // namespace sorvane::bench
