#include "imaging/Fit.h"

#include <QtGlobal>

namespace sorvane {

FitResult FitPicture(float w, float h, float bw, float bh) {
    FitResult fit;
    if (w > bw) {
        fit.stretched = true;
        h = bw / w * h;
        w = bw;
    }
    if (h > bh) {
        fit.stretched = true;
        w = bh / h * w;
        h = bh;
    }
    fit.width = w;
    fit.height = h;
    fit.left = (bw - w) / 2;
    fit.top = (bh - h) / 2;
    return fit;
}

bool ShrinksToFit(QSize natural, QSize box) {
    return box.isValid() && natural.isValid() &&
           (natural.width() > box.width() || natural.height() > box.height());
}

QSize FittedSize(QSize natural, QSize box) {
    const FitResult fit = FitPicture(float(natural.width()), float(natural.height()),
                                     float(box.width()), float(box.height()));
    return QSize(qMax(1, qRound(fit.width)), qMax(1, qRound(fit.height)));
}

} // namespace sorvane
