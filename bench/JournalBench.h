#pragma once

#include "ViewerBench.h"

namespace sorvane::bench {

// The send journal on the key path: the send itself (the file moved into its
// slot folder, from a folder of folderSize files) with the journal recording
// each send, beside the same sends without it; and the journal's window
// opened on a journal of bigJournal entries, to its first paint.
void JournalRows(int folderSize, int bigJournal, const RowPrinter& row);

} // namespace sorvane::bench
