#pragma once

#include "search/SearchProgress.h"

class TfrmMain;

// A walk's view of the main window: the directory in the status line, and a
// turn for pending events so that "STOP" and painting stay live.
class WindowProgress : public SearchProgress {
public:
    explicit WindowProgress(TfrmMain& window)
        : m_window(window)
    {
    }
    void showDirectory(const QByteArray& path) override;
    void letEventsRun() override;

private:
    TfrmMain& m_window;
};
