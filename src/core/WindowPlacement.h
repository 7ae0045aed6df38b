#pragma once

#include <QByteArray>
#include <optional>

namespace krx {

class IniFile;

// A window's saved state and rectangle: "state left top width height", where state is
// "0" minimised, "1" normal and "2" maximised, in the frame window's client co-ordinates.
struct WindowPlacement {
    enum class State { Minimised, Normal, Maximised };

    State state = State::Normal;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    // Reads a stored value with the restore rules: a negative left becomes 0, a negative
    // top is moved down by 65 pixels. Nothing for a value that is not five fields.
    static std::optional<WindowPlacement> parse(const QByteArray &value);
    QByteArray format() const;

    bool operator==(const WindowPlacement &) const = default;
};

// Saved window positions: read from misc.ini, falling back to the main settings file,
// and written to misc.ini.
class WindowPositions {
public:
    WindowPositions(IniFile &misc, const IniFile &mainFile) : misc_(misc), mainFile_(mainFile) {}

    std::optional<WindowPlacement> restore(const QByteArray &windowKey) const;
    // Returns the error text when the file cannot be written.
    std::optional<QString> save(const QByteArray &windowKey, const WindowPlacement &placement);

private:
    IniFile &misc_;
    const IniFile &mainFile_;
};

// The keys under which the windows keep their positions.
namespace windowkeys {
inline constexpr char mainWindow[] = "Pohja-ikkuna";
inline constexpr char monitor[] = "Monitorointi-ikkuna";
inline constexpr char lists[] = "Listaikkuna";
inline QByteArray channel(int n) {
    return "QSO-ikkuna" + QByteArray::number(n);
}
} // namespace windowkeys

} // namespace krx
