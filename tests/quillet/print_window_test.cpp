// Printing and page setup on the real main window: printouts go to PDF files and are read
// back with pdftotext, the dialogs are driven through their controls.
#include "tests/quillet/window_rig.h"
#include "tests/support/virtual_clock.h"

#include "quillet/editor_settings.h"
#include "quillet/messages.h"
#include "quillet/ui/main_window.h"
#include "quillet/ui/page_setup_dialog.h"
#include "quillet/ui/print_controller.h"
#include "quillet/ui/print_dialogs.h"
#include "quillet/ui/print_progress.h"
#include "quillet/ui/sheet_editor.h"

#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <map>
#include <gtest/gtest.h>

using quillet::MainWindow;
using quillet::PrintChoice;

namespace {

// Stands in for the system's print dialogs: it "chooses" a PDF file as the printer.
class PdfDialogs : public quillet::PrintDialogs {
public:
    std::optional<PrintChoice> askPrint(QPrinter& printer, bool hasSelection, QWidget*) override
    {
        ++asked;
        offeredSelection = hasSelection;
        if (!accept)
            return std::nullopt;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return choice;
    }
    bool choosePrinter(QPrinter& printer, QWidget*) override
    {
        ++chosen;
        if (!accept)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return true;
    }

    QString file;
    PrintChoice choice;
    bool accept = true;
    bool offeredSelection = false;
    int asked = 0;
    int chosen = 0;
};

int pdfPageCount(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    process.waitForFinished(60000);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(process.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// One printed line of a PDF page with where it starts and ends, in points from the left.
struct PdfLine {
    QString text;
    double left = 0;
    double right = 0;
};

// The lines of every page, top to bottom, from the words' boxes pdftotext reports.
QList<QList<PdfLine>> pdfLines(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!process.waitForFinished(120000))
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\"[^>]*>([^<]*)</word>"));
    QList<QList<PdfLine>> pages;
    for (const QString& page : html.split(QStringLiteral("<page ")).mid(1)) {
        std::map<long, PdfLine> byY;  // words of one line share their top
        for (const QRegularExpressionMatch& m : word.globalMatch(page)) {
            PdfLine& line = byY[std::lround(m.captured(2).toDouble())];
            const QString text = m.captured(4).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            if (line.text.isEmpty()) {
                line = {text, m.captured(1).toDouble(), m.captured(3).toDouble()};
            } else {
                line.text += u' ' + text;
                line.right = m.captured(3).toDouble();
            }
        }
        QList<PdfLine> lines;
        for (const auto& [y, line] : byY)
            lines.append(line);
        pages.append(lines);
    }
    return pages;
}

// The texts of the lines of one page.
QStringList texts(const QList<PdfLine>& lines)
{
    QStringList out;
    for (const PdfLine& line : lines)
        out.append(line.text);
    return out;
}

// A4 in points, 20 mm left and 25 mm right margin: where the print rectangle lies.
constexpr double kLeft = 20 / 25.4 * 72;
constexpr double kRight = 595 - 25 / 25.4 * 72;

QString numberedLines(int count, const QString& word = QStringLiteral("Zeile"))
{
    QString text;
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("%1 %2\n").arg(word).arg(i);
    text.chop(1);
    return text;
}

class PrintWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        own = std::make_unique<QSettings>(dir.filePath(QStringLiteral("own.ini")), QSettings::IniFormat);
        shared = std::make_unique<QSettings>(dir.filePath(QStringLiteral("shared.ini")), QSettings::IniFormat);
        settings = std::make_unique<quillet::EditorSettings>(*own, *shared);
        dialogs.file = pdf;
    }

    void TearDown() override
    {
        w.reset();
        EXPECT_EQ(prompter.unexpected(), 0)
            << (prompter.records().isEmpty() ? std::string() : prompter.records().last().text.toStdString());
    }

    MainWindow::Config config()
    {
        MainWindow::Config c;
        c.instanceFilePath = dir.filePath(QStringLiteral("quillet.tmp"));
        c.tempFolder = dir.path();
        c.ownKey = QStringLiteral("1");
        c.printDialogs = &dialogs;
        c.clock = &clock;
        return c;
    }

    MainWindow& window()
    {
        if (!w)
            w = std::make_unique<MainWindow>(prompter, shell, *settings, config());
        return *w;
    }

    void setText(const QString& text) { window().currentSheet().document->setText(text); }
    void setPage(const char* header, const char* footer)
    {
        window().printing().setup().page.header = QString::fromUtf8(header);
        window().printing().setup().page.footer = QString::fromUtf8(footer);
    }
    void trigger(const char* action) { window().findChild<QAction*>(QLatin1String(action))->trigger(); }
    // The footer line of every page of the printout.
    QStringList footers()
    {
        QStringList footers;
        for (const QList<PdfLine>& page : pdfLines(pdf))
            footers.append(page.isEmpty() ? QString() : page.last().text);
        return footers;
    }

    QTemporaryDir dir;
    QString pdf = dir.filePath(QStringLiteral("druck.pdf"));
    std::unique_ptr<QSettings> own;
    std::unique_ptr<QSettings> shared;
    std::unique_ptr<quillet::EditorSettings> settings;
    ScriptedPrompter prompter;
    FakeShell shell;
    PdfDialogs dialogs;
    VirtualClock clock{QDateTime(QDate(2026, 12, 7), QTime(14, 30, 5))};
    std::unique_ptr<MainWindow> w;
};

} // namespace

TEST_F(PrintWindowTest, CtrlPPrintsHeaderLeftAndPageNumberRightOnEveryPage)
{
    const QString path = dir.filePath(QStringLiteral("brief.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(numberedLines(150).toUtf8());
    f.close();
    ASSERT_TRUE(window().openFile(path));
    setPage("&l&n", "&rSeite &s");
    window().show();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(&window(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(dialogs.asked, 1);
    EXPECT_FALSE(dialogs.offeredSelection);

    const QList<QList<PdfLine>> pages = pdfLines(pdf);
    ASSERT_GE(pages.size(), 3);
    for (int i = 0; i < pages.size(); ++i) {
        const QList<PdfLine>& lines = pages[i];
        ASSERT_GE(lines.size(), 3);
        EXPECT_EQ(lines.first().text, path) << "page " << i + 1;
        EXPECT_EQ(lines.last().text, QStringLiteral("Seite %1").arg(i + 1));
        // The header starts at the left margin like the text, the footer ends at the right one.
        EXPECT_NEAR(lines.first().left, kLeft, 1);
        EXPECT_NEAR(lines[1].left, kLeft, 1);
        EXPECT_NEAR(lines.last().right, kRight, 1);
    }
    EXPECT_EQ(pages[0][1].text, QStringLiteral("Zeile 1"));
    EXPECT_EQ(pages.last()[pages.last().size() - 2].text, QStringLiteral("Zeile 150"));
    EXPECT_FALSE(window().isBusy());
    EXPECT_EQ(window().printing().progressWindow(), nullptr);
}

TEST_F(PrintWindowTest, DateCodeAmpersandsAndCentredLines)
{
    setText(QStringLiteral("Inhalt"));
    setPage("&d", "100&&");
    trigger("actDrucken");
    const QList<QList<PdfLine>> pages = pdfLines(pdf);
    ASSERT_EQ(pages.size(), 1);
    const QList<PdfLine>& lines = pages[0];
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].text, QStringLiteral("Montag, 07. Dezember 2026"));
    EXPECT_EQ(lines[2].text, QStringLiteral("100&"));
    // Centred between the margins.
    EXPECT_NEAR((lines[0].left + lines[0].right) / 2, (kLeft + kRight) / 2, 1);
    EXPECT_NEAR((lines[2].left + lines[2].right) / 2, (kLeft + kRight) / 2, 1);
}

TEST_F(PrintWindowTest, ALongLineWrapsAtBlanksWithinThePage)
{
    QString words;
    for (int i = 0; i < 120; ++i)
        words += QStringLiteral("wort%1 ").arg(i % 10);
    setText(words.trimmed());
    setPage("", "");
    trigger("actDrucken");
    const QList<QList<PdfLine>> pages = pdfLines(pdf);
    ASSERT_EQ(pages.size(), 1);
    ASSERT_GT(pages[0].size(), 5);
    QStringList all;
    for (const PdfLine& line : pages[0]) {
        EXPECT_GE(line.left, kLeft - 1);
        EXPECT_LE(line.right, kRight + 1);
        all += line.text.split(u' ');
    }
    // No word was cut: all 120 come back whole, in order.
    ASSERT_EQ(all.size(), 120);
    for (int i = 0; i < 120; ++i)
        EXPECT_EQ(all[i], QStringLiteral("wort%1").arg(i % 10));
}

TEST_F(PrintWindowTest, CopiesComePageByPageOrCollatedDocumentByDocument)
{
    setText(numberedLines(80));
    dialogs.choice = PrintChoice{2, false, false};
    trigger("actDrucken");
    EXPECT_EQ(footers(), (QStringList{"Seite 1", "Seite 1", "Seite 2", "Seite 2"}));

    QFile::remove(pdf);
    dialogs.choice = PrintChoice{2, true, false};
    trigger("actDrucken");
    EXPECT_EQ(footers(), (QStringList{"Seite 1", "Seite 2", "Seite 1", "Seite 2"}));
}

TEST_F(PrintWindowTest, TenThousandLinesFillTheirPagesExactly)
{
    setText(numberedLines(10000));
    trigger("actDrucken");
    // A4 at the PDF printer's 1200 dpi; 25 mm at the top and 20 mm at the bottom, one
    // line each for header and footer; the sheet's 10-point font.
    const qreal dpi = 1200;
    QFont font = window().currentSheet().editor->font();
    font.setPixelSize(qRound(10 * dpi / 72));
    const qreal lineHeight = QFontMetricsF(font).lineSpacing();
    const qreal pageHeight = 297 / 25.4 * dpi;
    const qreal textHeight = pageHeight - (25 + 20) / 25.4 * dpi - 2 * lineHeight;
    const int rowsPerPage = static_cast<int>(textHeight / lineHeight);
    ASSERT_GT(rowsPerPage, 40);
    EXPECT_EQ(pdfPageCount(pdf), (10000 + rowsPerPage - 1) / rowsPerPage);
}

TEST_F(PrintWindowTest, MarginsLargerThanThePageLeaveTheWholePage)
{
    const QString line = QString(300, u'x');
    setText(line + u'\n' + line);
    setPage("", "");
    trigger("actDrucken");
    const QStringList normal = texts(pdfLines(pdf).value(0));
    ASSERT_FALSE(normal.isEmpty());

    QFile::remove(pdf);
    quillet::PageSettings& page = window().printing().setup().page;
    page.marginLeft = 15000;
    page.marginRight = 15000;  // 300 mm beside a 210 mm page
    trigger("actDrucken");
    const QStringList wide = texts(pdfLines(pdf).value(0));
    ASSERT_FALSE(wide.isEmpty());
    // The row now spans the paper's width: 210 mm against 165 mm between the usual margins.
    const qreal ratio = qreal(wide[0].size()) / normal[0].size();
    EXPECT_NEAR(ratio, 210.0 / 165.0, 0.05);
}

TEST_F(PrintWindowTest, OnlyTheSelectionWhenThatIsChosenAndNothingWhenCancelled)
{
    setText(QStringLiteral("Anfang\nMitte eins\nMitte zwei\nEnde"));
    dialogs.accept = false;
    trigger("actDrucken");
    EXPECT_EQ(dialogs.asked, 1);
    EXPECT_FALSE(QFile::exists(pdf));

    dialogs.accept = true;
    quillet::SheetEditor* editor = window().currentSheet().editor;
    editor->setSelection(7, 28);  // "Mitte eins\nMitte zwei"
    dialogs.choice = PrintChoice{1, false, true};
    trigger("actDrucken");
    EXPECT_TRUE(dialogs.offeredSelection);
    const QString text = texts(pdfLines(pdf).value(0)).join(u'\n');
    EXPECT_TRUE(text.contains(QStringLiteral("Mitte eins")));
    EXPECT_TRUE(text.contains(QStringLiteral("Mitte zwei")));
    EXPECT_FALSE(text.contains(QStringLiteral("Anfang")));
    EXPECT_FALSE(text.contains(QStringLiteral("Ende")));
}

TEST_F(PrintWindowTest, CancelInTheProgressWindowLeavesNoPrintout)
{
    setText(numberedLines(3000));
    bool checked = false;
    QTimer::singleShot(0, [&] {
        quillet::PrintProgress* progress = window().printing().progressWindow();
        ASSERT_NE(progress, nullptr);
        checked = true;
        EXPECT_EQ(progress->windowTitle(), QStringLiteral("Editor"));
        EXPECT_EQ(progress->findChild<QLabel*>(QStringLiteral("lblDokument"))->text(), QStringLiteral("Unbenannt 1"));
        EXPECT_EQ(progress->findChild<QLabel*>(QStringLiteral("lblDruckt"))->text(), QStringLiteral("wird gedruckt."));
        // The main window is busy: typing into the sheet does nothing meanwhile.
        EXPECT_TRUE(window().isBusy());
        QTest::keyClicks(window().currentSheet().editor, QStringLiteral("abc"));
        EXPECT_FALSE(window().currentSheet().isModified());
        QPushButton* cancel = progress->findChild<QPushButton*>(QStringLiteral("cmdAbbrechen"));
        EXPECT_EQ(cancel->text(), QStringLiteral("&Abbrechen"));
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    trigger("actDrucken");
    EXPECT_TRUE(checked);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(window().isBusy());
    EXPECT_EQ(window().printing().progressWindow(), nullptr);
}

TEST_F(PrintWindowTest, AJobThatCannotStartIsReportedWithTheDocumentName)
{
    setText(QStringLiteral("x"));
    dialogs.file = dir.filePath(QStringLiteral("fehlt/druck.pdf"));
    prompter.addAnswer(QStringLiteral("Ok"));
    trigger("actDrucken");
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].text, quillet::Messages::text(quillet::Messages::PrintFailed, QStringLiteral("Unbenannt 1")));
    EXPECT_TRUE(prompter.records()[0].text.startsWith(QStringLiteral("Die Datei \"Unbenannt 1\" kann nicht gedruckt werden.")));
    EXPECT_FALSE(window().isBusy());
}

TEST_F(PrintWindowTest, APrinterFailingDuringTheJobIsReportedNotTakenForDone)
{
    if (!QFileInfo(QStringLiteral("/dev/full")).exists())
        GTEST_SKIP() << "no device that refuses every write";
    setText(numberedLines(2000));
    dialogs.file = QStringLiteral("/dev/full");
    prompter.addAnswer(QStringLiteral("Ok"));
    trigger("actDrucken");
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].text, quillet::Messages::text(quillet::Messages::PrintFailed, QStringLiteral("Unbenannt 1")));
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/full")).exists()) << "a device is never removed";
    EXPECT_FALSE(window().isBusy());
}

TEST_F(PrintWindowTest, ToolbarButtonPrintsAtOnceOnTheChosenPrinter)
{
    setText(numberedLines(5));
    if (!quillet::PrintSetup::anyPrinter()) {
        // No printer chosen and none on the system: said so, nothing printed.
        prompter.addAnswer(QStringLiteral("Ok"));
        trigger("actDruckenSofort");
        ASSERT_EQ(prompter.records().size(), 1);
        EXPECT_EQ(prompter.records()[0].text, quillet::Messages::text(quillet::Messages::PrinterUnreachable));
        EXPECT_EQ(prompter.records()[0].icon, boxIconName(BoxIcon::Critical));
    }
    // The printer chosen in the page setup ("Drucker..."), here a file.
    onNextDialog([](QWidget* d) {
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("cmdDrucker")), Qt::LeftButton);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    trigger("actSeiteEinrichten");
    EXPECT_EQ(dialogs.chosen, 1);
    EXPECT_EQ(window().printing().setup().outputFile, pdf);
    trigger("actDruckenSofort");
    EXPECT_EQ(dialogs.asked, 0) << "no dialog";
    EXPECT_TRUE(texts(pdfLines(pdf).value(0)).contains(QStringLiteral("Zeile 5")));
}

TEST_F(PrintWindowTest, PageSetupTakesItsFieldsOnOkAndDropsThemOnCancel)
{
    window().printing().setup().page.marginTop = 1234;
    onNextDialog([](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Seite einrichten"));
        auto* top = d->findChild<QDoubleSpinBox*>(QStringLiteral("edOben"));
        EXPECT_EQ(top->text(), QStringLiteral("12,34 mm"));
        EXPECT_EQ(d->findChild<QLineEdit*>(QStringLiteral("edKopfzeile"))->text(), QStringLiteral("&n"));
        EXPECT_EQ(d->findChild<QLineEdit*>(QStringLiteral("edFusszeile"))->text(), QStringLiteral("Seite &s"));
        EXPECT_TRUE(d->findChild<QRadioButton*>(QStringLiteral("optHochformat"))->isChecked());

        auto* left = d->findChild<QDoubleSpinBox*>(QStringLiteral("edLinks"));
        left->setFocus();
        QTest::keyClick(left, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(left, QStringLiteral("15,5"));
        auto* header = d->findChild<QLineEdit*>(QStringLiteral("edKopfzeile"));
        header->selectAll();
        QTest::keyClicks(header, QStringLiteral("&l&d"));
        QTest::mouseClick(d->findChild<QRadioButton*>(QStringLiteral("optQuerformat")), Qt::LeftButton);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    trigger("actSeiteEinrichten");
    quillet::PrintSetup setup = window().printing().setup();
    EXPECT_EQ(setup.page.marginLeft, 1550);
    EXPECT_EQ(setup.page.marginTop, 1234);
    EXPECT_EQ(setup.page.marginRight, 2500);
    EXPECT_EQ(setup.page.header, QStringLiteral("&l&d"));
    EXPECT_EQ(setup.orientation, QPageLayout::Landscape);

    onNextDialog([](QWidget* d) {
        auto* footer = d->findChild<QLineEdit*>(QStringLiteral("edFusszeile"));
        footer->selectAll();
        QTest::keyClicks(footer, QStringLiteral("anders"));
        QTest::mouseClick(d->findChild<QRadioButton*>(QStringLiteral("optHochformat")), Qt::LeftButton);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("cmdAbbrechen")), Qt::LeftButton);
    });
    trigger("actSeiteEinrichten");
    EXPECT_EQ(window().printing().setup().page.footer, QStringLiteral("Seite &s"));
    EXPECT_EQ(window().printing().setup().orientation, QPageLayout::Landscape);

    // Printed in landscape: wider rows than the portrait page gives.
    setText(QString(400, u'y'));
    trigger("actDrucken");
    const QStringList lines = texts(pdfLines(pdf).value(0));
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Montag, 07. Dezember 2026"));
    EXPECT_GT(lines[1].size(), 100) << "a portrait row holds about 78 characters";
}

TEST_F(PrintWindowTest, PreviewDrawsTheSheetsFirstPage)
{
    const auto darkPixels = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += qGray(image.pixel(x, y)) < 224;
        return n;
    };
    QImage empty;
    QImage full;
    QImage withHeader;
    const auto grab = [](QWidget* d) {
        QWidget* preview = d->findChild<QWidget*>(QStringLiteral("imgVorschau"));
        QImage image = preview->grab().toImage();
        return image;
    };
    onNextDialog([&](QWidget* d) {
        empty = grab(d);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("cmdAbbrechen")), Qt::LeftButton);
    });
    trigger("actSeiteEinrichten");
    setText(numberedLines(200, QStringLiteral("Eine ganze Menge Text in der Zeile")));
    onNextDialog([&](QWidget* d) {
        full = grab(d);
        auto* header = d->findChild<QLineEdit*>(QStringLiteral("edKopfzeile"));
        header->selectAll();
        QTest::keyClicks(header, QStringLiteral("&lKopf mit einem langen Text"));
        withHeader = grab(d);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("cmdAbbrechen")), Qt::LeftButton);
    });
    trigger("actSeiteEinrichten");
    ASSERT_FALSE(empty.isNull());
    EXPECT_GT(darkPixels(full), darkPixels(empty) + 500) << "the text of the page";
    EXPECT_NE(withHeader, full) << "the header follows the field";
}

TEST_F(PrintWindowTest, PageValuesAreKeptAtCloseOnlyWhenSwitchedOn)
{
    const auto runWith = [&](int keep) {
        own->setValue(QStringLiteral("fSavePageSettings"), keep);
        auto run = std::make_unique<MainWindow>(prompter, shell, *settings, config());
        quillet::PageSettings& page = run->printing().setup().page;
        page.marginLeft = 1111;
        page.marginBottom = 2222;
        page.header = QStringLiteral("&l&n");
        page.footer = QStringLiteral("&r&d");
        EXPECT_TRUE(run->close());
        own->sync();
    };
    runWith(0);
    EXPECT_FALSE(own->contains(QStringLiteral("iMarginLeft")));
    EXPECT_FALSE(own->contains(QStringLiteral("szHeader")));

    runWith(1);
    EXPECT_EQ(own->value(QStringLiteral("iMarginLeft")).toInt(), 1111);
    EXPECT_EQ(own->value(QStringLiteral("iMarginTop")).toInt(), 2500);
    EXPECT_EQ(own->value(QStringLiteral("szTrailer")).toString(), QStringLiteral("&r&d"));
    // The next start reads them back.
    const quillet::PageSettings again = window().printing().setup().page;
    EXPECT_EQ(again.marginLeft, 1111);
    EXPECT_EQ(again.marginBottom, 2222);
    EXPECT_EQ(again.header, QStringLiteral("&l&n"));
}
