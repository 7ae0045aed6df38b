#pragma once

#include "store/HeaderRecord.h"
#include "store/HeaderSearch.h"

#include <functional>

namespace krx {

// Opens the composer on a header of the lists window: to continue a written message, or to
// reply to a received one. The messages part of the program fills it.
struct ComposerRequest {
    enum class Mode { Continue, Reply };
    Mode mode = Mode::Continue;
    int listIndex = -1;
    int index = -1;
    HeaderRecord record;
};
using ComposerOpener = std::function<void(const ComposerRequest &request)>;

// The reader is opened through ReaderOpener (store/HeaderSearch.h).

} // namespace krx
