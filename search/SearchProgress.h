#pragma once

#include <QByteArray>

// What a walk tells its caller while it runs. The walk decides how often:
// a directory at most every 100 ms, events about every 10 ms.
class SearchProgress {
public:
    virtual ~SearchProgress() = default;
    virtual void showDirectory(const QByteArray& path) = 0;
    virtual void letEventsRun() = 0;
};
