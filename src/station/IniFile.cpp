#include "IniFile.h"

#include <QCoreApplication>
#include <QStringDecoder>

namespace snapdeck {

namespace {

// The text before a comment that is not inside quotes.
QString withoutComment(const QString& line) {
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'"')
            quoted = !quoted;
        else if (!quoted && (line[i] == u'#' || line[i] == u';'))
            return line.left(i);
    }
    return line;
}

// A value as written: blanks around it dropped, and quotes around the whole removed.
std::optional<QString> valueOf(const QString& written) {
    const QString value = written.trimmed();
    if (value.startsWith(u'"')) {
        if (value.size() < 2 || !value.endsWith(u'"') ||
            value.mid(1, value.size() - 2).contains(u'"'))
            return std::nullopt;
        return value.mid(1, value.size() - 2);
    }
    if (value.contains(u'"'))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<IniFile> IniFile::parse(const QByteArray& bytes, QString* error) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        *error = QCoreApplication::translate("IniFile", "the file is not UTF-8 text");
        return std::nullopt;
    }
    IniFile file;
    QString section;
    const QStringList lines = text.split(u'\n');
    for (int index = 0; index < lines.size(); ++index) {
        const int number = index + 1;
        QString line = lines[index];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (index == 0 && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        const QString content = withoutComment(line).trimmed();
        if (content.isEmpty())
            continue;
        if (content.startsWith(u'[')) {
            if (!content.endsWith(u']') || content.size() < 3) {
                *error =
                    QCoreApplication::translate("IniFile", "line %1: a section is written [name]")
                        .arg(number);
                return std::nullopt;
            }
            section = content.mid(1, content.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = content.indexOf(u'=');
        const QString key = content.left(equals).trimmed();
        if (equals < 0 || key.isEmpty()) {
            *error = QCoreApplication::translate("IniFile", "line %1: expected \"key = value\"")
                         .arg(number);
            return std::nullopt;
        }
        const std::optional<QString> value = valueOf(content.mid(equals + 1));
        if (!value) {
            *error = QCoreApplication::translate("IniFile", "line %1: %2: unbalanced quotes")
                         .arg(number)
                         .arg(key);
            return std::nullopt;
        }
        for (const IniValue& earlier : file.values)
            if (earlier.section == section && earlier.key == key) {
                *error = QCoreApplication::translate("IniFile",
                                                     "line %1: %2: given again (first on line %3)")
                             .arg(number)
                             .arg(key)
                             .arg(earlier.line);
                return std::nullopt;
            }
        file.values.push_back({section, key, *value, number});
    }
    return file;
}

} // namespace snapdeck
