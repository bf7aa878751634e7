#pragma once

#include "imaging/PictureDisplay.h"
#include "platform/FileError.h"

#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

namespace sorvane {

class ImageBox;
class PictureSource;

// The picture area of a window: a box (Picture1) with the picture control
// (Image1) inside it. The preview and the viewer show files the same way
// through it: the picture read for the box, or the substitute picture for a
// file that is no picture; shrunk to the box and centred; the next files read
// ahead for the same box. Pictures are read for the box's device pixels, so
// on a high-density screen one picture pixel is one screen pixel. What a
// window says about a file (labels, panels, messages) stays with the window.
class PicturePane {
public:
    PicturePane(QWidget& box, ImageBox& image, PictureSource& pictures, QString substitutePath);

    // The box's size in device pixels: the size pictures are read for.
    QSize pixelBox() const;
    // A box of that size in the box's device pixels.
    QSize pixelsOf(QSize box) const;

    // Puts the file's picture into the picture control at its natural size,
    // the substitute picture when the file is no picture. Any other outcome
    // hides the control, so nothing of another file stays in view.
    DisplayOutcome show(const QString& path);
    // The file's own picture, or why there is none (nothing stands in).
    FileError showOwn(const QString& path);
    // The file's picture only if it has been read already: never reads and
    // never waits. False, with what was shown left as it was, when it is not
    // ready.
    bool showReady(const QString& path);

    // Places the picture control in the box: shrunk with its proportions when
    // the picture is wider or higher than the box, never enlarged, centred.
    // True when it was shrunk.
    bool fit();
    // The natural size of the picture shown, for the windows' size texts.
    QSize naturalSize() const;

    // Reads the files ahead for the box, most wanted first; or for a box of
    // another size, the size it will have when they are shown.
    void readAhead(const QStringList& paths);
    void readAhead(const QStringList& paths, QSize box);
    // How long reading a file ahead takes lately (see PictureSource).
    int recentReadMs() const;

private:
    void put(const Picture& picture);

    QWidget& box_;
    ImageBox& image_;
    PictureSource& pictures_;
    QString substitutePath_;
};

} // namespace sorvane
