#pragma once

#include "store/HeaderRecord.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace krx {

class MessageFolder;

// What the search window asks for. Empty texts are not tested.
struct SearchCriteria {
    QByteArray title;    // the title contains it
    QByteArray from;     // the sender starts with it
    QByteArray to;       // the addressee starts with it
    QByteArray contains; // the message text contains it
    int direction = 1;   // +1 forward, -1 backward
    bool mark = false;   // mark a new header that is found for fetching
};

struct SearchHit {
    int index = 0;
    bool byContent = false; // found in the message text: the reader shows it
};

// Finds the next header after `currentIndex` (-1: none yet) in the direction of the search:
// a header hit needs at least one header text and all given ones to hold; with a contains
// text, a fetched header whose message holds it (or whose message files are gone) is a
// content hit when the given header texts hold.
std::optional<SearchHit> SearchHeaders(const std::vector<HeaderRecord> &records, int currentIndex,
                                       const SearchCriteria &criteria,
                                       const MessageFolder &messages);

// Opens a reader window on a message, with a text to look for in it. The messages part of
// the program fills it.
struct ReaderRequest {
    int listIndex = -1;
    int index = -1;
    HeaderRecord record;
    QString messagePath;
    QByteArray searchText;
};
using ReaderOpener = std::function<void(const ReaderRequest &request)>;

} // namespace krx
