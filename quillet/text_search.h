#pragma once

#include <QString>
#include <functional>

namespace quillet {

// Plain string search with the editor's whole-word and match-case options.
class TextSearch {
public:
    struct Options {
        bool wholeWord = false;
        bool matchCase = false;
    };

    // First match starting at or after `from` and before `startLimit`; -1 when none.
    static qsizetype findForward(const QString& text, const QString& needle, qsizetype from,
                                 qsizetype startLimit, Options options);
    // Last match starting at or before `from` and not before `lowerBound`; -1 when none.
    static qsizetype findBackward(const QString& text, const QString& needle, qsizetype from,
                                  qsizetype lowerBound, Options options);

    struct Replaced {
        QString text;
        qsizetype count = 0;
    };
    // Replaces every match from `from` on, left to right, without rescanning inserted text.
    // `progress` (may be empty) is called now and then with the position reached.
    static Replaced replaceAll(const QString& text, const QString& needle, const QString& replacement,
                               qsizetype from, Options options,
                               const std::function<void(qsizetype)>& progress = {});

    static bool isWordChar(QChar c);
};

} // namespace quillet
