#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

namespace quillet {

class SheetEditor;

// Puts a large text into an editor piece by piece: the first page shows at once and the
// window keeps handling events between the pieces. The editor is read-only until the whole
// text is in; the loaded text counts as unchanged and has no undo steps.
class ChunkLoader : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype kFirstPiece = 64 * 1024;
    static constexpr qsizetype kPiece = 512 * 1024;

    ChunkLoader(SheetEditor* editor, QString text);
    ~ChunkLoader() override;

    void start();
    bool isDone() const { return m_done; }
    qsizetype loaded() const { return m_position; }
    qsizetype total() const { return m_text.size(); }

signals:
    void progress(qsizetype loaded, qsizetype total);
    void finished();

private:
    qsizetype pieceEnd(qsizetype from, qsizetype size) const;
    void next();
    void finish();

    QPointer<SheetEditor> m_editor;
    QString m_text;
    qsizetype m_position = 0;
    bool m_done = false;
};

} // namespace quillet
