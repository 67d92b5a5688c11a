#pragma once

#include "app/TfrmMain.h"
#include "settings/TfrmAusschluss.h"
#include "settings/TfrmOptionen.h"
#include "settings/TfrmSuchmuster.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The main window with its three dialogs, keeping its files in a directory
// of the test's own. The windows move the working directory; it is put back.
class MainWindowFixture : public ::testing::Test {
protected:
    QString startDir = QDir::currentPath();
    QTemporaryDir programDir;
    TfrmMain window;
    TfrmOptionen options{&window};
    TfrmAusschluss exclusions{&window};
    TfrmSuchmuster editor{&window};

    MainWindowFixture()
    {
        window.setProgramDirectory(programDir.path());
        window.setDialogs(&options, &exclusions, &editor);
    }
    ~MainWindowFixture() override { QDir::setCurrent(startDir); }

    void setOption(Option o, bool on)
    {
        Options all = options.options();
        all[o] = on;
        options.setOptions(all);
    }
    template <typename T = QWidget> T* child(const char* name)
    {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
};
