// The per-user setting store: every key of the program under organization and
// application "REDARORO", group "IniSetting", each value kept as text
// (Booleans as "True"/"False", numbers in decimal).
#pragma once

#include <QSettings>
#include <QString>

#include <cstdint>
#include <optional>

namespace qudrim::app {

class SettingsStore {
public:
    static constexpr const char* kOrganization = "REDARORO";
    static constexpr const char* kApplication = "REDARORO";
    static constexpr const char* kGroup = "IniSetting";

    SettingsStore();

    // The stored text, or the default when the key does not exist; reading
    // creates nothing.
    QString read(const QString& key, const QString& defaultText) const;
    // Creates the key or replaces its text, and writes it out at once.
    void save(const QString& key, const QString& text);

    // Reading into a variable: the default when the key is missing; a stored
    // text that does not convert gives the variable's initial value (False,
    // 0), not the default.
    bool readBool(const QString& key, bool defaultValue) const;
    int16_t readInt16(const QString& key, int16_t defaultValue) const;

    void saveBool(const QString& key, bool value);
    void saveInt(const QString& key, int value);

    static QString boolText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }
    // "True"/"False" in any letter case, or a whole number (non-zero is True).
    static std::optional<bool> toBool(const QString& text);
    // A whole number in decimal within the 16-bit range, blanks around it allowed.
    static std::optional<int16_t> toInt16(const QString& text);

private:
    QString path(const QString& key) const;
    mutable QSettings settings_;
};

}  // namespace qudrim::app
