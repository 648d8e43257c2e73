#pragma once

#include <QObject>

class QLabel;
class QProgressBar;
class QStatusBar;

namespace quillet {

struct Sheet;

// The parts of the status bar: length, limit, fill level, insert/overwrite, wrap, font
// pitch, saved state, line, column, and the file's encoding.
class StatusPanel : public QObject {
    Q_OBJECT
public:
    explicit StatusPanel(QStatusBar* bar);

    void showSheet(const Sheet& sheet, bool fixedPitch);
    // The start: parts 1 to 3 show "0", "0" and "0%", the others the sheet's state.
    void showStart(const Sheet& sheet, bool fixedPitch);
    void showEmpty();
    QProgressBar* progress() const { return m_progress; }

    // The texts of parts 1 to 9 for a text of this state.
    struct State {
        quint64 length = 0;
        quint64 limit = 0;
        bool overwrite = false;
        bool wrap = false;
        bool fixedPitch = true;
        bool saved = true;
        int line = 1;
        int column = 1;
    };
    static QStringList texts(const State& state);

private:
    QLabel* addPart(QStatusBar* bar, const QString& name);

    QList<QLabel*> m_parts;
    QLabel* m_encoding;
    QProgressBar* m_progress;
};

} // namespace quillet
