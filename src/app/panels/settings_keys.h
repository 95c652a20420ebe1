// The names of the settings in the setting store, one for the place that
// reads a setting and the place that writes it.
#pragma once

#include <QString>

namespace qudrim::app::settingKey {

inline const QString bolZyw = QStringLiteral("bolZyw");
inline const QString bolSq = QStringLiteral("bolSq");
inline const QString intPreQi = QStringLiteral("intPreQi");
inline const QString bolLdm = QStringLiteral("bolLdm");
inline const QString intLei = QStringLiteral("intLei");
inline const QString intXianshiLei = QStringLiteral("intXianshiLei");
inline const QString intIdfTm = QStringLiteral("intIdfTm");  // Check2 "自由位计特码": 1 ticked, 0 not
inline const QString bolZhpm = QStringLiteral("bolZhpm");
inline const QString intZhWSetup = QStringLiteral("intZhWSetup");
inline const QString SxIni = QStringLiteral("SxIni");
inline const QString DsIni = QStringLiteral("DsIni");
inline const QString BsIni = QStringLiteral("BsIni");
inline const QString IniSerchDay = QStringLiteral("IniSerchDay");
// The address of the results site of the online update, "http://host[:port]".
inline const QString ResultsSite = QStringLiteral("ResultsSite");

}  // namespace qudrim::app::settingKey
