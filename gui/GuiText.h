#pragma once

#include <QString>
#include <string>
#include <string_view>

// The engine speaks UTF-8; widgets speak QString. Message-box texts of the
// engine break lines with "\r", which Qt shows as "\n".
namespace corvel::gui {

inline QString Q(std::string_view utf8) {
    QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

inline std::string S(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace corvel::gui
