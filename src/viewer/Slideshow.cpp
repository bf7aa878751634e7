#include "viewer/Slideshow.h"

#include "settings/Module1.h"

namespace sorvane {

Slideshow::Slideshow(Module1& module, QObject* parent) : QObject(parent), module_(module) {
    timer_.setParent(this);
    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setTimerType(Qt::PreciseTimer); // a slide a second, not a slide every 0.95-1.05 s
    connect(&timer_, &QTimer::timeout, this, &Slideshow::tick);
}

Slideshow::Press Slideshow::toggle(int count) {
    if (module_.RunTime.SlideshowRunning != 0) {
        stop();
        return Press::Stopped;
    }
    if (module_.RunTime.ViewerFileIndex > count - 1) {
        module_.RunTime.ViewerFileIndex = count - 1;
        stop();
        return Press::Stopped;
    }
    // Seconds below 1 (a hand-edited settings file) would leave the toolbar
    // looking as running while nothing ever advances.
    if (SlideshowInterval(module_.SlideshowSeconds) == 0)
        return Press::Refused;
    start();
    return Press::Started;
}

void Slideshow::start() {
    timer_.start(SlideshowInterval(module_.SlideshowSeconds));
    module_.RunTime.SlideshowRunning = 1;
    Q_EMIT startedOrStopped(true);
}

void Slideshow::stop() {
    timer_.stop();
    module_.RunTime.SlideshowRunning = 0;
    Q_EMIT startedOrStopped(false);
}

void Slideshow::halt() {
    timer_.stop();
}

StepTarget Slideshow::tickStep(int count) const {
    return StepByTick(module_.RunTime.ViewerFileIndex, count, module_.SlideshowRepeat != 0);
}

} // namespace sorvane
