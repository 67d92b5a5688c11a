#include "settings/SettingsFile.h"

#include "platform/IniFile.h"

namespace {

const QString OptSection = QStringLiteral("Opt");
const QString ExcludeSection = QStringLiteral("Exclude");

QString excludeKey(int i)
{
    return QStringLiteral("L%1").arg(i);
}

} // namespace

bool SettingsFile::parseOption(const QString& text, bool defaultValue)
{
    bool ok = false;
    const bool hex = text.size() > 2 &&
                     (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X")));
    const qint64 value = hex ? text.mid(2).toLongLong(&ok, 16) : text.toLongLong(&ok, 10);
    return ok ? value != 0 : defaultValue;
}

Options SettingsFile::loadOptions() const
{
    const IniFile ini(m_path);
    Options options{};
    for (int i = 0; i < OptionCount; ++i)
        options[i] =
            parseOption(ini.read(OptSection, QLatin1String(optionKey(Option(i))), {}), true);
    return options;
}

QStringList SettingsFile::loadExcludeList() const
{
    const IniFile ini(m_path);
    const QString end = QStringLiteral("<");
    QStringList list;
    for (int i = 0;; ++i) {
        const QString value = ini.read(ExcludeSection, excludeKey(i), end);
        if (value == end)
            return list;
        list.append(value);
    }
}

void SettingsFile::saveOptions(const Options& options) const
{
    const IniFile ini(m_path);
    for (int i = 0; i < OptionCount; ++i)
        ini.write(OptSection, QLatin1String(optionKey(Option(i))),
                  options[i] ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsFile::saveExcludeList(const QStringList& list) const
{
    const IniFile ini(m_path);
    ini.erase(ExcludeSection);
    for (int i = 0; i < list.size(); ++i)
        ini.write(ExcludeSection, excludeKey(i), list[i]);
}
