// The settings line reader on any bytes, and the round trip: whatever it
// reads completely, written back and read again, is the same record, except
// a text the file cannot hold, which comes back as one it can.

#include "settings/SettingsLine.h"

#include <cstdio>
#include <cstdlib>
#include <tuple>

using namespace sorvane;

namespace {

auto Numbers(const Module1& s) {
    return std::tie(s.RememberWindowSize, s.RememberSourceFolder, s.SlideshowRepeat,
                    s.SlideshowSeconds, s.LaunchByAssociation, s.ExtendMode, s.VerticalButtons,
                    s.CopyMode, s.ConfirmSameName, s.WindowTop, s.WindowLeft);
}

bool SameText(const QString& read, const QString& reread) {
    return SettingsCanHold(read) ? reread == read : SettingsCanHold(reread);
}

bool SameTexts(const Module1& read, const Module1& reread) {
    bool same = SameText(read.SourceFolder, reread.SourceFolder) &&
                SameText(read.WindowWidth, reread.WindowWidth) &&
                SameText(read.WindowHeight, reread.WindowHeight);
    for (std::size_t i = 0; i < read.FolderSlots.size(); ++i)
        same = same && SameText(read.FolderSlots[i], reread.FolderSlots[i]);
    return same;
}

void Fail(const char* what, const QByteArray& written) {
    std::fprintf(stderr, "settings round trip: %s\nwritten: %s\n", what, written.constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray text =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    Module1 read;
    if (ParseSettings(text, read) != ParseOutcome::Complete)
        return 0;
    const QByteArray written = FormatSettingsLine(read);
    Module1 reread;
    if (ParseSettings(written, reread) != ParseOutcome::Complete)
        Fail("the written line does not read back complete", written);
    if (Numbers(reread) != Numbers(read))
        Fail("a number reads back different", written);
    if (!SameTexts(read, reread))
        Fail("a text reads back different", written);
    if (FormatSettingsLine(reread) != written)
        Fail("writing again gives another line", written);
    return 0;
}
