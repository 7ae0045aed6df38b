#include "core/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace krx {

namespace {

bool isSectionLine(const QByteArray &trimmed) {
    return trimmed.startsWith('[');
}

QByteArray sectionName(const QByteArray &trimmed) {
    const int close = trimmed.indexOf(']');
    return trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

bool sameName(const QByteArray &a, const QByteArray &b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Splits a key line into its trimmed key and value; nothing for comments and other lines.
std::optional<std::pair<QByteArray, QByteArray>> splitKeyLine(const QByteArray &line) {
    const QByteArray trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(';') || isSectionLine(trimmed))
        return std::nullopt;
    const int equals = trimmed.indexOf('=');
    if (equals <= 0)
        return std::nullopt;
    QByteArray value = trimmed.mid(equals + 1).trimmed();
    // As the platform does, one pair of enclosing quotes is removed, which lets a value
    // keep leading or trailing blanks.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return std::make_pair(trimmed.left(equals).trimmed(), value);
}

} // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) {
    reload();
}

void IniFile::reload() {
    lines_.clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray content = file.readAll();
    lineEnd_ = content.contains("\r\n") || !content.contains('\n') ? "\r\n" : "\n";
    for (QByteArray line : content.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        lines_.push_back(line);
    }
    if (!lines_.empty() && lines_.back().isEmpty())
        lines_.pop_back(); // the split leaves an empty piece after the final line end
}

std::optional<int> IniFile::findSection(const QByteArray &section) const {
    for (int i = 0; i < int(lines_.size()); ++i) {
        const QByteArray trimmed = lines_[i].trimmed();
        if (isSectionLine(trimmed) && sameName(sectionName(trimmed), section))
            return i;
    }
    return std::nullopt;
}

std::optional<int> IniFile::findKey(int sectionLine, const QByteArray &key) const {
    for (int i = sectionLine + 1; i < int(lines_.size()); ++i) {
        if (isSectionLine(lines_[i].trimmed()))
            break;
        const auto entry = splitKeyLine(lines_[i]);
        if (entry && sameName(entry->first, key))
            return i;
    }
    return std::nullopt;
}

std::optional<QByteArray> IniFile::value(const QByteArray &section, const QByteArray &key) const {
    const auto sectionLine = findSection(section);
    if (!sectionLine)
        return std::nullopt;
    const auto keyLine = findKey(*sectionLine, key);
    if (!keyLine)
        return std::nullopt;
    return splitKeyLine(lines_[*keyLine])->second;
}

QByteArray IniFile::readString(const QByteArray &section, const QByteArray &key,
                               const QByteArray &defaultValue) const {
    return value(section, key).value_or(defaultValue);
}

int IniFile::readInteger(const QByteArray &section, const QByteArray &key, int defaultValue) const {
    const auto text = value(section, key);
    if (!text)
        return defaultValue;
    bool ok = false;
    const int number = text->toInt(&ok, 10);
    return ok ? number : defaultValue;
}

std::vector<QByteArray> IniFile::keys(const QByteArray &section) const {
    std::vector<QByteArray> names;
    const auto sectionLine = findSection(section);
    if (!sectionLine)
        return names;
    for (int i = *sectionLine + 1; i < int(lines_.size()); ++i) {
        if (isSectionLine(lines_[i].trimmed()))
            break;
        if (const auto entry = splitKeyLine(lines_[i]))
            names.push_back(entry->first);
    }
    return names;
}

std::optional<QString> IniFile::writeString(const QByteArray &section, const QByteArray &key,
                                            const QByteArray &value) {
    const auto sectionLine = findSection(section);
    if (!sectionLine) {
        lines_.push_back('[' + section + ']');
        lines_.push_back(key + '=' + value);
        return save();
    }
    if (const auto keyLine = findKey(*sectionLine, key)) {
        lines_[*keyLine] = splitKeyLine(lines_[*keyLine])->first + '=' + value;
        return save();
    }
    // A new key goes after the last non-empty line of its section.
    int insertAt = *sectionLine + 1;
    for (int i = *sectionLine + 1; i < int(lines_.size()); ++i) {
        const QByteArray trimmed = lines_[i].trimmed();
        if (isSectionLine(trimmed))
            break;
        if (!trimmed.isEmpty())
            insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + insertAt, key + '=' + value);
    return save();
}

std::optional<QString> IniFile::writeInteger(const QByteArray &section, const QByteArray &key,
                                             int value) {
    return writeString(section, key, QByteArray::number(value));
}

std::optional<QString> IniFile::save() const {
    const QFileInfo info(path_);
    if (!QDir().mkpath(info.absolutePath()))
        return QStringLiteral("%1: cannot create the folder").arg(info.absolutePath());
    QSaveFile file(path_);
    // Unbuffered, so a write that fails (a full disk) is seen before the file is replaced.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return QStringLiteral("%1: %2").arg(path_, file.errorString());
    for (const QByteArray &line : lines_) {
        file.write(line);
        file.write(lineEnd_);
    }
    if (!file.commit())
        return QStringLiteral("%1: %2").arg(path_, file.errorString());
    return std::nullopt;
}

} // namespace krx
