#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace krx {

// A settings file with the rules of Windows private-profile files: section and key names
// match without regard to case, values are trimmed, lines starting with ";" are comments,
// a missing key gives the caller's default, and writing one key keeps every other line
// (comments and unknown keys included). Values are 8-bit text as stored in the file.
class IniFile {
public:
    // The file is read at once; a missing file is simply empty until the first write.
    explicit IniFile(QString path);

    const QString &path() const { return path_; }

    std::optional<QByteArray> value(const QByteArray &section, const QByteArray &key) const;
    QByteArray readString(const QByteArray &section, const QByteArray &key,
                          const QByteArray &defaultValue) const;
    // The value as a decimal integer; the default when absent or not a number.
    int readInteger(const QByteArray &section, const QByteArray &key, int defaultValue) const;
    // Key names of a section in file order.
    std::vector<QByteArray> keys(const QByteArray &section) const;

    // Sets one key and writes the whole file at once (through a save file, so a crash
    // never leaves half a file). Missing folders are created. Returns the error text on
    // failure, nothing on success.
    std::optional<QString> writeString(const QByteArray &section, const QByteArray &key,
                                       const QByteArray &value);
    std::optional<QString> writeInteger(const QByteArray &section, const QByteArray &key,
                                        int value);

    // Reads the file again (another program may have changed it).
    void reload();

private:
    std::optional<int> findSection(const QByteArray &section) const;
    std::optional<int> findKey(int sectionLine, const QByteArray &key) const;
    std::optional<QString> save() const;

    QString path_;
    std::vector<QByteArray> lines_;
    QByteArray lineEnd_ = "\r\n";
};

} // namespace krx
