#pragma once

#include "settings/Options.h"

#include <QString>
#include <QStringList>

// The settings file "kw2.ini": the six options in section "Opt" and the
// excluded directories in section "Exclude" (keys L0, L1, ...).
class SettingsFile {
public:
    static constexpr const char* FileName = "kw2.ini";

    explicit SettingsFile(QString path)
        : m_path(std::move(path))
    {
    }

    // Missing, empty and non-integer values read as on.
    Options loadOptions() const;
    // Up to the first missing key or the first value that is exactly "<".
    QStringList loadExcludeList() const;
    void saveOptions(const Options& options) const;
    void saveExcludeList(const QStringList& list) const;

    // "0x"/"0X" then hexadecimal, or decimal; 0 is off, any other number on.
    static bool parseOption(const QString& text, bool defaultValue);

private:
    QString m_path;
};
