#include "quillet/document.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using quillet::Document;
using quillet::TextDocument;
using quillet::TextFormat;

TEST(Document, EachReplaceIsOneUndoStepAndAnnouncesTheChange)
{
    Document doc;
    doc.setText(QStringLiteral("alpha\nbeta"));
    QSignalSpy changed(&doc, &Document::contentsChanged);
    QSignalSpy modified(&doc, &Document::modificationChanged);
    QSignalSpy undo(&doc, &Document::undoAvailable);
    QSignalSpy redo(&doc, &Document::redoAvailable);

    // A conversion of the whole text is one replace and one step.
    doc.replace(0, doc.length(), QStringLiteral("ALPHA\nBETA"));
    doc.replace(5, 0, QStringLiteral("!"));
    EXPECT_EQ(doc.text(), QStringLiteral("ALPHA!\nBETA"));
    EXPECT_EQ(changed.count(), 2);
    ASSERT_EQ(modified.count(), 1);
    EXPECT_TRUE(modified.at(0).at(0).toBool());
    ASSERT_EQ(undo.count(), 1);

    doc.undo();
    EXPECT_EQ(doc.text(), QStringLiteral("ALPHA\nBETA"));
    doc.undo();
    EXPECT_EQ(doc.text(), QStringLiteral("alpha\nbeta"));
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(changed.count(), 4);
    EXPECT_EQ(modified.count(), 2);
    EXPECT_EQ(undo.count(), 2);
    EXPECT_EQ(redo.count(), 1);
    // Nothing left to undo: nothing changes, nothing is announced.
    doc.undo();
    EXPECT_EQ(changed.count(), 4);

    doc.redo();
    EXPECT_EQ(doc.text(), QStringLiteral("ALPHA\nBETA"));
    EXPECT_TRUE(doc.isModified());
}

TEST(Document, SetTextStartsAfreshAndSetModifiedMarksTheSavedState)
{
    Document doc;
    doc.replace(0, 0, QStringLiteral("typed"));
    ASSERT_TRUE(doc.isModified());
    QSignalSpy reset(&doc, &Document::textReset);
    QSignalSpy modified(&doc, &Document::modificationChanged);

    doc.setText(QStringLiteral("loaded"));
    EXPECT_EQ(reset.count(), 1);
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(modified.count(), 1);

    doc.replace(6, 0, QStringLiteral("!"));
    doc.setModified(false);
    EXPECT_FALSE(doc.isModified());
    doc.undo();
    EXPECT_TRUE(doc.isModified()) << "the saved state was the one with \"!\"";
    EXPECT_EQ(modified.count(), 4);
}

TEST(Document, PathAndFormatAnnounceOnlyRealChanges)
{
    Document doc;
    QSignalSpy path(&doc, &Document::pathChanged);
    QSignalSpy format(&doc, &Document::formatChanged);
    EXPECT_TRUE(doc.path().isEmpty());

    doc.setPath(QStringLiteral("/tmp/a.txt"));
    doc.setPath(QStringLiteral("/tmp/a.txt"));
    EXPECT_EQ(path.count(), 1);
    EXPECT_EQ(doc.path(), QStringLiteral("/tmp/a.txt"));

    TextFormat utf8;
    utf8.encoding = TextFormat::Encoding::Utf8;
    doc.setFormat(TextFormat());
    EXPECT_EQ(format.count(), 0);
    doc.setFormat(utf8);
    EXPECT_EQ(format.count(), 1);
    EXPECT_EQ(doc.format().encoding, TextFormat::Encoding::Utf8);
    EXPECT_EQ(doc.text(), QString()) << "path and format leave the text alone";
}
