#include "app/panels/settings_store.h"

#include "draw/base_draw.h"

namespace qudrim::app {

SettingsStore::SettingsStore() : settings_(QString::fromLatin1(kOrganization), QString::fromLatin1(kApplication)) {}

QString SettingsStore::path(const QString& key) const { return QString::fromLatin1(kGroup) + QLatin1Char('/') + key; }

QString SettingsStore::read(const QString& key, const QString& defaultText) const
{
    const QVariant v = settings_.value(path(key));
    if (!v.isValid())
        return defaultText;
    return v.toString();
}

void SettingsStore::save(const QString& key, const QString& text)
{
    settings_.setValue(path(key), text);
    settings_.sync();
}

std::optional<bool> SettingsStore::toBool(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const qlonglong n = t.toLongLong(&ok);
    if (ok)
        return n != 0;
    return std::nullopt;
}

std::optional<int16_t> SettingsStore::toInt16(const QString& text) { return qudrim::toInt16(text.toStdString()); }

bool SettingsStore::readBool(const QString& key, bool defaultValue) const
{
    return toBool(read(key, boolText(defaultValue))).value_or(false);
}

int16_t SettingsStore::readInt16(const QString& key, int16_t defaultValue) const
{
    return toInt16(read(key, QString::number(defaultValue))).value_or(int16_t{0});
}

void SettingsStore::saveBool(const QString& key, bool value) { save(key, boolText(value)); }

void SettingsStore::saveInt(const QString& key, int value) { save(key, QString::number(value)); }

}  // namespace qudrim::app
