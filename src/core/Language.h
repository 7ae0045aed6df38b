#pragma once

#include <QString>

namespace krx {

// The user-interface language chosen by the `kieli` setting (1 = English, else Finnish).
enum class Language { Finnish, English };

inline Language languageFromSetting(int kieli) {
    return kieli == 1 ? Language::English : Language::Finnish;
}

// One user-visible text in both languages. The literals are UTF-8 source text.
struct BiText {
    const char *fi;
    const char *en;

    QString in(Language language) const {
        return QString::fromUtf8(language == Language::English ? en : fi);
    }
};

} // namespace krx
