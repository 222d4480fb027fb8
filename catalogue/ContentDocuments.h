// The names of the content documents shipped beside the program: the topic, template and
// reference documents Misc0.Hlp..Misc63.Hlp and the Security Rule's sections PR0.Hlp..PR24.Hlp.
// The program folder is read without regard to letter case; these are the names as shipped.
#pragma once

#include <QString>
#include <string_view>

namespace catalogue {

inline constexpr int MiscDocumentCount = 64;
inline constexpr int RuleSectionDocumentCount = 25;

// "Misc<n>.Hlp": a topic of a reference window, a template, the recovery plan's sample.
inline QString miscDocument(int n) { return QStringLiteral("Misc%1.Hlp").arg(n); }
// The recovery plan's template, Misc60: the recovery-plan page names it so in its messages.
inline const QString RecoveryPlanTemplateDocument = QStringLiteral("Misc60.hlp");
// "PR<n>.Hlp": section n of the Security Rule window.
inline QString ruleSectionDocument(int n) { return QStringLiteral("PR%1.Hlp").arg(n); }

// A text of the catalogue (UTF-8) as the windows show it.
inline QString toQString(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace catalogue
