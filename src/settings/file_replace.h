#pragma once

#include <QString>

namespace z718 {

// Makes `target` a copy of `source`. The copy is written beside the target and renamed over
// it, so a reader or a crash sees either the old file or the complete new one. A source that
// is missing, cannot be read or cannot be a settings file removes the target instead (the
// profile then reads as empty). A link at `target` is replaced, never written through.
// Returns true when the copy was made.
bool replaceWithCopy(const QString& target, const QString& source);

}  // namespace z718
